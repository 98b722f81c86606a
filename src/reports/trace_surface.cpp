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
  return static_cast<int>(text.size()) * (m_settings.dpi / 10);
}

std::optional<TextMetrics> TraceSurface::textMetrics() const {
  return TextMetrics{m_settings.dpi / 6, 0};
}

void TraceSurface::textOut(int x, int y, const QString& text) {
  m_sink(QStringLiteral("%1\t%2\t%3\t%4\t%5").arg(m_page).arg(x).arg(y).arg(m_style, text));
}

void TraceSurface::endJob() { m_sink(QStringLiteral("end\t%1").arg(m_page)); }

}  // namespace quillet
