// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

// One job on one printer: the current font, the position of the next text, and a
// page break kept pending until something is printed after it.
class PrinterSession {
 public:
  explicit PrinterSession(QPrinter& printer)
      : printer_(printer),
        dotsPerTwip_(printer.resolution() / 1440.0),
        page_(printer.pageLayout().paintRectPixels(printer.resolution())) {
    font_.setPointSizeF(9);
  }
  ~PrinterSession() { end(); }

  // False when the printer could not start the document.
  bool run(const PrintOp& op) {
    switch (op.kind) {
      case PrintOp::Kind::SetFont:
        font_ = QFont(QString::fromStdString(op.fontName));
        font_.setPointSizeF(op.fontSize);
        font_.setBold(op.bold);
        if (begun_) painter_.setFont(font_);
        return true;
      case PrintOp::Kind::SetX:
        x_ = op.x * dotsPerTwip_;
        return true;
      case PrintOp::Kind::Text:
        return startPendingPage() && (printText(op.text, op.endLine), true);
      case PrintOp::Kind::NewPage:
        // Deferred: a page break followed only by the end of the document adds no page.
        pendingPage_ = true;
        x_ = y_ = 0;
        return true;
      case PrintOp::Kind::Image:
        return startPendingPage() && (printImage(op.image), true);
      case PrintOp::Kind::EndDocument:
        end();
        return true;
    }
    return true;
  }

  void end() {
    if (begun_ && painter_.isActive()) painter_.end();
  }

 private:
  // The document starts with its first printed text or image: a job that prints
  // nothing sends no page at all, and a break before anything printed makes none.
  bool startPendingPage() {
    if (!begun_) {
      if (!painter_.begin(&printer_)) return false;
      begun_ = true;
      painter_.setFont(font_);
      pendingPage_ = false;
      return true;
    }
    if (pendingPage_) {
      printer_.newPage();
      pendingPage_ = false;
    }
    return true;
  }

  void printText(const std::string& cp1252Text, bool endLine) {
    const QFontMetricsF metrics(font_, &printer_);
    const QString text = toQString(cp1252Text);
    painter_.drawText(QPointF(x_, y_ + metrics.ascent()), text);
    if (endLine) {
      y_ += metrics.lineSpacing();
      x_ = 0;
    } else {
      x_ += metrics.horizontalAdvance(text);
    }
  }

  void printImage(const PrintImage& picture) {
    const QImage image = toQImage(picture);
    painter_.drawImage(QRect(QPoint(0, 0), image.size().scaled(page_.size(), Qt::KeepAspectRatio)), image);
  }

  QPrinter& printer_;
  const double dotsPerTwip_;
  const QRect page_;
  QPainter painter_;
  QFont font_{QStringLiteral("verdana")};
  bool begun_ = false;
  bool pendingPage_ = false;
  double x_ = 0;  // next text position, device units
  double y_ = 0;  // top of the current line, device units
};

}  // namespace

bool runPrintJob(const PrintJob& job, QPrinter& printer, const QString& documentName) {
  printer.setDocName(documentName);
  printer.setFullPage(false);
  PrinterSession session(printer);
  for (const PrintOp& op : job.ops()) {
    if (!session.run(op)) return false;
    if (op.kind == PrintOp::Kind::EndDocument) return true;
  }
  return true;
}

bool printJobToPdf(const PrintJob& job, const QString& pdfPath, const QString& documentName) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdfPath);
  return runPrintJob(job, printer, documentName);
}

}  // namespace varnelio::ui
