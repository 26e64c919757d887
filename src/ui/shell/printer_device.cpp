#include "ui/shell/printer_device.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "ui/shell/codec.h"

namespace varnelio::ui {
namespace {

QImage toQImage(const PrintImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      out.setPixel(x, y, image.argb[static_cast<std::size_t>(y) * image.width + x]);
  return out;
}

}  // namespace

bool printJobHasContent(const PrintJob& job) {
  for (const PrintOp& op : job.ops())
    if (op.kind == PrintOp::Kind::Text || op.kind == PrintOp::Kind::Image) return true;
  return false;
}

bool runPrintJob(const PrintJob& job, QPrinter& printer, const QString& documentName) {
  printer.setDocName(documentName);
  printer.setFullPage(false);
  // The document starts with its first printed text or image: a job that prints
  // nothing sends no page at all.
  QPainter painter;
  bool begun = false;
  const double dotsPerTwip = printer.resolution() / 1440.0;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  QFont font(QStringLiteral("verdana"));
  font.setPointSizeF(9);
  double y = 0;       // top of the current line, device units
  double x = 0;       // next text position, device units
  bool pendingPage = false;
  auto startPendingPage = [&] {
    if (!begun) {
      if (!painter.begin(&printer)) return false;
      begun = true;
      painter.setFont(font);
      pendingPage = false;  // a break before anything was printed makes no page
      return true;
    }
    if (pendingPage) {
      printer.newPage();
      pendingPage = false;
    }
    return true;
  };
  for (const PrintOp& op : job.ops()) {
    switch (op.kind) {
      case PrintOp::Kind::SetFont:
        font = QFont(QString::fromStdString(op.fontName));
        font.setPointSizeF(op.fontSize);
        font.setBold(op.bold);
        if (begun) painter.setFont(font);
        break;
      case PrintOp::Kind::SetX:
        x = op.x * dotsPerTwip;
        break;
      case PrintOp::Kind::Text: {
        if (!startPendingPage()) return false;
        const QFontMetricsF metrics(font, &printer);
        const QString text = toQString(op.text);
        painter.drawText(QPointF(x, y + metrics.ascent()), text);
        if (op.endLine) {
          y += metrics.lineSpacing();
          x = 0;
        } else {
          x += metrics.horizontalAdvance(text);
        }
        break;
      }
      case PrintOp::Kind::NewPage:
        // Deferred: a page break followed only by the end of the document adds no page.
        pendingPage = true;
        y = 0;
        x = 0;
        break;
      case PrintOp::Kind::Image: {
        if (!startPendingPage()) return false;
        const QImage image = toQImage(op.image);
        const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRect(QPoint(0, 0), fitted), image);
        break;
      }
      case PrintOp::Kind::EndDocument:
        if (begun) painter.end();
        return true;
    }
  }
  if (begun) painter.end();
  return true;
}

bool printJobToPdf(const PrintJob& job, const QString& pdfPath, const QString& documentName) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdfPath);
  return runPrintJob(job, printer, documentName);
}

}  // namespace varnelio::ui
