// Quillet — the trace printer: a virtual Letter-size printer whose output is text.
#include "reports/trace_surface.h"

namespace quillet {

DeviceCaps TraceSurface::caps() const {
  const int dpi = m_settings.dpi;
  DeviceCaps caps;
  caps.pixelsPerInchX = dpi;
  caps.pixelsPerInchY = dpi;
  caps.physicalWidth = dpi * 17 / 2;  // 8.5 inches, rounded down
  caps.physicalHeight = dpi * 11;
  caps.physicalOffsetX = m_settings.offsetX;
  caps.physicalOffsetY = m_settings.offsetY;
  caps.horzRes = caps.physicalWidth - 2 * m_settings.offsetX;
  caps.vertRes = caps.physicalHeight - 2 * m_settings.offsetY;
  return caps;
}

void TraceSurface::setStyle(bool bold, bool underline) {
  m_style = bold && underline ? QStringLiteral("bu")
            : bold            ? QStringLiteral("b")
            : underline       ? QStringLiteral("u")
                              : QStringLiteral("-");
}

int TraceSurface::textWidth(const QString& text) const {
  const int characterWidth = m_formHeight > 0 ? m_formHeight * 3 / 5 : m_settings.dpi / 10;
  return static_cast<int>(text.size()) * characterWidth;
}

std::optional<TextMetrics> TraceSurface::textMetrics() const {
  return TextMetrics{m_formHeight > 0 ? m_formHeight : m_settings.dpi / 6, 0};
}

void TraceSurface::trace(int x, int y, const QString& style, const QString& text) {
  m_sink(QStringLiteral("%1\t%2\t%3\t%4\t%5").arg(m_page).arg(x).arg(y).arg(style, text));
}

void TraceSurface::textOut(int x, int y, const QString& text) { trace(x, y, m_style, text); }

void TraceSurface::drawLine(int x1, int y1, int x2, int y2) {
  trace(x1, y1, QStringLiteral("#"), QStringLiteral("line %1,%2").arg(x2).arg(y2));
}

void TraceSurface::drawFrame(int x, int y, int width, int height) {
  trace(x, y, QStringLiteral("#"), QStringLiteral("frame %1,%2").arg(width).arg(height));
}

void TraceSurface::fillRect(int x, int y, int width, int height) {
  trace(x, y, QStringLiteral("#"), QStringLiteral("fill %1,%2").arg(width).arg(height));
}

void TraceSurface::endJob() { m_sink(QStringLiteral("end\t%1").arg(m_page)); }

void TraceSurface::abortJob() { m_sink(QStringLiteral("aborted")); }

}  // namespace quillet
