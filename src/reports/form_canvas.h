// Quillet — a form drawn on plain paper: boxes and their texts in hundredths of an inch.
#pragma once

#include <QString>
#include <cstdint>

namespace quillet {

class PrintSurface;

// A rectangle in hundredths of an inch.
struct FormRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// "1234.56", "-12.00": an amount in its box; empty for zero, so that the box stays empty.
QString formAmount(int64_t cents);

enum class FormAlign { Left, Right, Centre };

// Draws in hundredths of an inch from an origin on the page (itself in hundredths of an
// inch from the paper's top-left corner), converted to the surface's device units.
class FormCanvas {
 public:
  FormCanvas(PrintSurface& surface, int originX, int originY);

  PrintSurface& surface() { return m_surface; }
  void moveOrigin(int originX, int originY);

  void frame(const FormRect& r);
  void fill(const FormRect& r);
  void line(int x1, int y1, int x2, int y2);

  // One line of text in `r`, `height` high (its line), aligned; shrunk until it fits the
  // rectangle's width less a margin at each side: it is never cut, nor spills over.
  void text(const FormRect& r, const QString& text, int height, FormAlign align, bool bold = false);

  // A box: its frame, its number and caption in small type at the top-left (a caption of
  // several lines, English then French, one under the other), and `value` at its foot
  // (several lines, each ValueHeight high, from the top under the caption in a box with
  // room for more than two).
  void box(const FormRect& r, const QString& number, const QString& caption, const QString& value,
           FormAlign align);

  static constexpr int CaptionHeight = 7;
  static constexpr int ValueHeight = 13;
  static constexpr int Margin = 3;

 private:
  int dx(int hundredths) const;
  int dy(int hundredths) const;

  PrintSurface& m_surface;
  int m_dpiX, m_dpiY;
  int m_originX = 0, m_originY = 0;  // device units in the printable area
  int m_offsetX, m_offsetY;
};

}  // namespace quillet
