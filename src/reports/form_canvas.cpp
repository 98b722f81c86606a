// Quillet — a form drawn on plain paper: boxes and their texts in hundredths of an inch.
#include "reports/form_canvas.h"

#include <QStringList>
#include <algorithm>

#include "reports/print_surface.h"

namespace quillet {

QString formAmount(int64_t cents) {
  if (cents == 0) return {};
  const uint64_t magnitude = cents < 0 ? 0 - uint64_t(cents) : uint64_t(cents);
  return (cents < 0 ? QStringLiteral("-") : QString()) +
         QStringLiteral("%1.%2").arg(magnitude / 100).arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

FormCanvas::FormCanvas(PrintSurface& surface, int originX, int originY)
    : m_surface(surface),
      m_dpiX(surface.caps().pixelsPerInchX),
      m_dpiY(surface.caps().pixelsPerInchY),
      m_offsetX(surface.caps().physicalOffsetX),
      m_offsetY(surface.caps().physicalOffsetY) {
  moveOrigin(originX, originY);
}

// The margins are measured from the paper's edge; the surface's positions from its
// printable area.
void FormCanvas::moveOrigin(int originX, int originY) {
  m_originX = originX * m_dpiX / 100 - m_offsetX;
  m_originY = originY * m_dpiY / 100 - m_offsetY;
}

int FormCanvas::dx(int hundredths) const { return m_originX + hundredths * m_dpiX / 100; }
int FormCanvas::dy(int hundredths) const { return m_originY + hundredths * m_dpiY / 100; }

void FormCanvas::frame(const FormRect& r) {
  m_surface.drawFrame(dx(r.x), dy(r.y), dx(r.x + r.width) - dx(r.x), dy(r.y + r.height) - dy(r.y));
}

void FormCanvas::fill(const FormRect& r) {
  m_surface.fillRect(dx(r.x), dy(r.y), dx(r.x + r.width) - dx(r.x), dy(r.y + r.height) - dy(r.y));
}

void FormCanvas::line(int x1, int y1, int x2, int y2) {
  m_surface.drawLine(dx(x1), dy(y1), dx(x2), dy(y2));
}

void FormCanvas::text(const FormRect& r, const QString& text, int height, FormAlign align,
                      bool bold) {
  if (text.isEmpty()) return;
  const int left = dx(r.x + Margin);
  const int room = dx(r.x + r.width - Margin) - left;
  int size = std::max(1, height * m_dpiY / 100);
  m_surface.setFormTextHeight(size);
  m_surface.setStyle(bold, false);
  // Narrower in proportion until it fits; the last steps one unit at a time.
  for (int width = m_surface.textWidth(text); width > room && size > 1;
       width = m_surface.textWidth(text)) {
    size = std::max(1, std::min(size - 1, size * room / width));
    m_surface.setFormTextHeight(size);
  }
  const int width = m_surface.textWidth(text);
  const int x = align == FormAlign::Left    ? left
                : align == FormAlign::Right ? left + room - width
                                            : left + (room - width) / 2;
  // Text sits on the rectangle's foot; a shrunk line keeps the same foot.
  const int foot = dy(r.y + r.height);
  m_surface.textOut(x, foot - size, text);
  m_surface.setStyle(false, false);
  m_surface.setFormTextHeight(0);
}

void FormCanvas::box(const FormRect& r, const QString& number, const QString& caption,
                     const QString& value, FormAlign align) {
  frame(r);
  const QStringList captions = caption.split(u'\n');
  int y = r.y + 1;
  for (const QString& line : captions) {
    const QString heading =
        number.isEmpty() || y > r.y + 1 ? line : number + QStringLiteral("  ") + line;
    text({r.x, y, r.width, CaptionHeight}, heading, CaptionHeight, FormAlign::Left);
    y += CaptionHeight;
  }
  const QStringList lines = value.split(u'\n');
  // One line sits at the foot of its box; in a box that holds several it starts at the top.
  const bool roomForMore = r.y + r.height - y > 3 * ValueHeight;
  if (lines.size() == 1 && !roomForMore) {
    text({r.x, r.y + r.height - ValueHeight - 2, r.width, ValueHeight}, value, ValueHeight, align);
    return;
  }
  y += 3;
  for (const QString& line : lines) {
    text({r.x, y, r.width, ValueHeight}, line, ValueHeight, align);
    y += ValueHeight;
  }
}

}  // namespace quillet
