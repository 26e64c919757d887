// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/print_job.h"

namespace varnelio {

void PrintJob::setFont(std::string_view name, double size, bool bold) {
  PrintOp op;
  op.kind = PrintOp::Kind::SetFont;
  op.fontName = name;
  op.fontSize = size;
  op.bold = bold;
  ops_.push_back(std::move(op));
}

void PrintJob::setX(int twips) {
  PrintOp op;
  op.kind = PrintOp::Kind::SetX;
  op.x = twips;
  ops_.push_back(std::move(op));
}

void PrintJob::print(std::string_view text, bool endLine) {
  PrintOp op;
  op.kind = PrintOp::Kind::Text;
  op.text = text;
  op.endLine = endLine;
  ops_.push_back(std::move(op));
}

void PrintJob::newPage() {
  PrintOp op;
  op.kind = PrintOp::Kind::NewPage;
  ops_.push_back(std::move(op));
}

void PrintJob::endDocument() {
  PrintOp op;
  op.kind = PrintOp::Kind::EndDocument;
  ops_.push_back(std::move(op));
}

void PrintJob::printImage(PrintImage image) {
  PrintOp op;
  op.kind = PrintOp::Kind::Image;
  op.image = std::move(image);
  ops_.push_back(std::move(op));
}

std::vector<std::vector<std::string>> PrintJob::pagesAsText() const {
  std::vector<std::vector<std::string>> pages(1);
  std::string line;
  bool lineStarted = false;
  int x = 0;
  bool pageHasContent = false;
  for (const PrintOp& op : ops_) {
    switch (op.kind) {
      case PrintOp::Kind::SetFont: break;
      case PrintOp::Kind::SetX: x = op.x; break;
      case PrintOp::Kind::Text:
        if (lineStarted) line += " | ";
        line += std::to_string(x) + ":" + op.text;
        lineStarted = true;
        x = 0;
        pageHasContent = true;
        if (op.endLine) {
          pages.back().push_back(line);
          line.clear();
          lineStarted = false;
        }
        break;
      case PrintOp::Kind::Image:
        pages.back().push_back("[image " + std::to_string(op.image.width) + "x" +
                               std::to_string(op.image.height) + "]");
        pageHasContent = true;
        break;
      case PrintOp::Kind::NewPage:
      case PrintOp::Kind::EndDocument:
        if (lineStarted) {
          pages.back().push_back(line);
          line.clear();
          lineStarted = false;
        }
        // A new page directly followed by the end of the document adds no page.
        if (op.kind == PrintOp::Kind::NewPage) {
          pages.emplace_back();
          pageHasContent = false;
        } else if (!pageHasContent && pages.size() > 1) {
          pages.pop_back();
        }
        break;
    }
  }
  return pages;
}

}  // namespace varnelio
