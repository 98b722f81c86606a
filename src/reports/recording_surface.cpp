// Quillet — a print job kept as its text outputs, to be shown or printed later.
#include "reports/recording_surface.h"

#include <QFontMetrics>

namespace quillet {

RecordingSurface::RecordingSurface(const DeviceCaps& caps, const QFont& font,
                                   const QPaintDevice* device)
    : m_caps(caps), m_baseFont(font), m_font(font), m_device(device) {}

int RecordingSurface::baseFontHeight() const {
  return -QFontMetrics(m_baseFont, m_device).height();
}

void RecordingSurface::setStyle(bool bold, bool underline) {
  m_font = m_baseFont;
  m_font.setBold(bold);
  m_font.setUnderline(underline);
}

int RecordingSurface::textWidth(const QString& text) const {
  return QFontMetrics(m_font, m_device).horizontalAdvance(text);
}

std::optional<TextMetrics> RecordingSurface::textMetrics() const {
  const QFontMetrics metrics(m_font, m_device);
  return TextMetrics{metrics.height(), metrics.leading()};
}

void RecordingSurface::textOut(int x, int y, const QString& text) {
  m_outputs.push_back({m_page, x, y, m_font.bold(), m_font.underline(), text});
}

void RecordingSurface::replay(PrintSurface& target) const {
  int page = 1;
  for (const Output& output : m_outputs) {
    for (; page < output.page; ++page) target.newPage();
    target.setStyle(output.bold, output.underline);
    target.textOut(output.x, output.y, output.text);
  }
  for (; page < m_page; ++page) target.newPage();
  target.endJob();
}

}  // namespace quillet
