// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A print job as data: the list of printer operations a command performs. The
// windows hand it to the printer device, and tests check it exactly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio {

// An image to print, 32-bit ARGB pixels row by row.
struct PrintImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

struct PrintOp {
  enum class Kind { SetFont, SetX, Text, NewPage, EndDocument, Image };
  Kind kind = Kind::Text;
  // SetFont: the printer's current font from now on.
  std::string fontName;
  double fontSize = 0;
  bool bold = false;
  // SetX: horizontal position of the next text, in twips from the left edge.
  int x = 0;
  // Text: Windows-1252; endLine moves to the next line by the font's line height.
  std::string text;
  bool endLine = false;
  // Image: printed on the current page, scaled to fit it.
  PrintImage image;
};

class PrintJob {
 public:
  void setFont(std::string_view name, double size, bool bold);
  void setX(int twips);
  void print(std::string_view text, bool endLine);
  void newPage();
  void endDocument();
  void printImage(PrintImage image);

  const std::vector<PrintOp>& ops() const { return ops_; }

  // The job as the pages would read: each page a list of lines, each line the
  // texts printed on it as "x:text" pieces joined by " | ". For tests and the CLI.
  std::vector<std::vector<std::string>> pagesAsText() const;

 private:
  std::vector<PrintOp> ops_;
};

}  // namespace varnelio
