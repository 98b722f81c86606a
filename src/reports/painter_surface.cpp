// Quillet — printing with QPainter on a real printer or into a PDF file.
#include "reports/painter_surface.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPdfWriter>
#include <algorithm>
#include <utility>

#include "platform/replacing_device.h"

namespace quillet {

QFont formFont(int height) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  // DejaVu Sans needs about 7/6 of its pixel size for a line.
  font.setPixelSize(std::max(1, height * 6 / 7));
  return font;
}

QFont styledFont(const QFont& base, bool bold, bool underline, int formHeight) {
  QFont font = formHeight > 0 ? formFont(formHeight) : base;
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

DeviceCaps pageCaps(const QPagedPaintDevice& device) {
  const int dpi = device.logicalDpiX();
  const QPageLayout layout = device.pageLayout();
  const QRect full = layout.fullRectPixels(dpi);
  const QRect paint = layout.paintRectPixels(dpi);
  DeviceCaps caps;
  caps.pixelsPerInchX = device.logicalDpiX();
  caps.pixelsPerInchY = device.logicalDpiY();
  caps.physicalWidth = full.width();
  caps.physicalHeight = full.height();
  caps.horzRes = paint.width();
  caps.vertRes = paint.height();
  caps.physicalOffsetX = paint.x();
  caps.physicalOffsetY = paint.y();
  return caps;
}

PainterSurface::PainterSurface(QPagedPaintDevice& device, const QFont& font,
                               std::unique_ptr<QPagedPaintDevice> owned, JobEnd jobEnd)
    : m_jobEnd(std::move(jobEnd)),
      m_owned(std::move(owned)),
      m_device(device),
      m_baseFont(font, &device),
      m_caps(pageCaps(device)) {
  if (m_painter.begin(&device)) {
    m_painter.setFont(m_baseFont);
    // Lines of a drawn form: a hairline of about a third of a point.
    m_painter.setPen(QPen(Qt::black, std::max(1, device.logicalDpiX() / 200)));
  }
}

PainterSurface::~PainterSurface() { endJob(); }

int PainterSurface::baseFontHeight() const { return -QFontMetrics(m_baseFont, &m_device).height(); }

void PainterSurface::setStyle(bool bold, bool underline) {
  m_painter.setFont(styledFont(m_baseFont, bold, underline, m_formHeight));
}

void PainterSurface::setFormTextHeight(int height) {
  m_formHeight = height;
  const QFont font = m_painter.font();
  m_painter.setFont(styledFont(m_baseFont, font.bold(), font.underline(), height));
}

void PainterSurface::drawLine(int x1, int y1, int x2, int y2) {
  m_painter.drawLine(x1, y1, x2, y2);
}

// The painter's brush is never set: a frame is its outline alone.
void PainterSurface::drawFrame(int x, int y, int width, int height) {
  m_painter.drawRect(x, y, width, height);
}

void PainterSurface::fillRect(int x, int y, int width, int height) {
  m_painter.fillRect(x, y, width, height, QColor(224, 224, 224));
}

int PainterSurface::textWidth(const QString& text) const {
  return QFontMetrics(m_painter.font(), &m_device).horizontalAdvance(text);
}

std::optional<TextMetrics> PainterSurface::textMetrics() const {
  const QFontMetrics metrics(m_painter.font(), &m_device);
  return TextMetrics{metrics.height(), metrics.leading()};
}

void PainterSurface::textOut(int x, int y, const QString& text) {
  m_painter.drawText(x, y + QFontMetrics(m_painter.font(), &m_device).ascent(), text);
}

void PainterSurface::newPage() {
  m_device.newPage();
  ++m_page;
}

void PainterSurface::endJob() {
  const bool painted = m_painter.isActive() && m_painter.end();
  if (m_jobEnd) std::exchange(m_jobEnd, nullptr)(painted);
}

void PainterSurface::abortJob() {
  // The job's end learns first that nothing is to go out: a printer drops the job while
  // it is open, a file is not put in place.
  if (m_jobEnd) std::exchange(m_jobEnd, nullptr)(false);
  if (m_painter.isActive()) m_painter.end();
}

std::unique_ptr<PainterSurface> makePdfSurface(const QString& path, const QString& documentTitle,
                                               const QFont& font, int dpi,
                                               std::function<void(bool)> written) {
  std::shared_ptr<platform::ReplacingDevice> file = platform::ReplacingDevice::begin(path);
  if (!file) return nullptr;
  auto writer = std::make_unique<QPdfWriter>(file.get());
  writer->setTitle(documentTitle);
  writer->setCreator(QStringLiteral("Quillet"));
  writer->setResolution(dpi);
  writer->setPageLayout(
      QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
  QPdfWriter& device = *writer;
  auto surface = std::make_unique<PainterSurface>(device, font, std::move(writer),
                                                  [file, written](bool painted) {
                                                    const bool whole = painted && file->commit();
                                                    if (written) written(whole);
                                                  });
  if (!surface->isActive()) return nullptr;
  return surface;
}

}  // namespace quillet
