// Quillet — a print job kept as its text outputs, to be shown or printed later.
#include "reports/recording_surface.h"

#include <QFontMetrics>

#include "reports/painter_surface.h"

namespace quillet {

RecordingSurface::RecordingSurface(const DeviceCaps& caps, const QFont& font,
                                   const QPaintDevice* device)
    : m_caps(caps), m_baseFont(font), m_font(font), m_device(device) {}

int RecordingSurface::baseFontHeight() const {
  return -QFontMetrics(m_baseFont, m_device).height();
}

void RecordingSurface::setStyle(bool bold, bool underline) {
  m_font = styledFont(m_baseFont, bold, underline, m_formHeight);
}

void RecordingSurface::setFormTextHeight(int height) {
  m_formHeight = height;
  m_font = styledFont(m_baseFont, m_font.bold(), m_font.underline(), height);
}

int RecordingSurface::textWidth(const QString& text) const {
  return QFontMetrics(m_font, m_device).horizontalAdvance(text);
}

std::optional<TextMetrics> RecordingSurface::textMetrics() const {
  const QFontMetrics metrics(m_font, m_device);
  return TextMetrics{metrics.height(), metrics.leading()};
}

void RecordingSurface::keep(Kind kind, int x, int y, int x2OrWidth, int y2OrHeight,
                            const QString& text) {
  m_outputs.push_back({kind, m_page, x, y, x2OrWidth, y2OrHeight, m_font.bold(), m_font.underline(),
                       m_formHeight, text});
}

void RecordingSurface::textOut(int x, int y, const QString& text) {
  keep(Kind::Text, x, y, 0, 0, text);
}

void RecordingSurface::drawLine(int x1, int y1, int x2, int y2) {
  keep(Kind::Line, x1, y1, x2, y2);
}

void RecordingSurface::drawFrame(int x, int y, int width, int height) {
  keep(Kind::Frame, x, y, width, height);
}

void RecordingSurface::fillRect(int x, int y, int width, int height) {
  keep(Kind::Fill, x, y, width, height);
}

void RecordingSurface::replay(PrintSurface& target) const {
  int page = 1;
  for (const Output& output : m_outputs) {
    for (; page < output.page; ++page) target.newPage();
    switch (output.kind) {
      case Kind::Text:
        target.setFormTextHeight(output.formHeight);
        target.setStyle(output.bold, output.underline);
        target.textOut(output.x, output.y, output.text);
        break;
      case Kind::Line:
        target.drawLine(output.x, output.y, output.x2OrWidth, output.y2OrHeight);
        break;
      case Kind::Frame:
        target.drawFrame(output.x, output.y, output.x2OrWidth, output.y2OrHeight);
        break;
      case Kind::Fill:
        target.fillRect(output.x, output.y, output.x2OrWidth, output.y2OrHeight);
        break;
    }
  }
  for (; page < m_page; ++page) target.newPage();
  target.endJob();
}

}  // namespace quillet
