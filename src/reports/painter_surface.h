// Quillet — printing with QPainter on a real printer or into a PDF file.
#pragma once

#include <QFont>
#include <QPainter>
#include <functional>
#include <memory>

#include "reports/print_surface.h"

class QPagedPaintDevice;

namespace quillet {

// The face of the drawn forms: DejaVu Sans (Debian's fonts-dejavu-core), embedded in PDFs.
QFont formFont(int height);
// `base` in a style, or the form's face at `formHeight` (when not 0) in that style.
QFont styledFont(const QFont& base, bool bold, bool underline, int formHeight);

// The printable area and the unreachable border of a paged device, in its own units.
DeviceCaps pageCaps(const QPagedPaintDevice& device);

// Draws on any paged device: a QPrinter that the desktop program hands in, or a
// QPdfWriter. The printable area and the unreachable border come from the device's page
// layout at its own resolution.
class PainterSurface final : public PrintSurface {
 public:
  // Called once when the job ends, with whether the painter ended it well.
  using JobEnd = std::function<void(bool painted)>;

  // Begins painting on `device` in `font`; `owned`, when given, is the device and is
  // kept alive with the surface.
  PainterSurface(QPagedPaintDevice& device, const QFont& font,
                 std::unique_ptr<QPagedPaintDevice> owned = nullptr, JobEnd jobEnd = {});
  ~PainterSurface() override;

  bool isActive() const { return m_painter.isActive(); }

  DeviceCaps caps() const override { return m_caps; }
  int baseFontHeight() const override;
  bool baseFontBold() const override { return m_baseFont.bold(); }
  bool baseFontUnderline() const override { return m_baseFont.underline(); }
  void setStyle(bool bold, bool underline) override;
  int textWidth(const QString& text) const override;
  std::optional<TextMetrics> textMetrics() const override;
  void textOut(int x, int y, const QString& text) override;
  void drawLine(int x1, int y1, int x2, int y2) override;
  void drawFrame(int x, int y, int width, int height) override;
  void fillRect(int x, int y, int width, int height) override;
  void setFormTextHeight(int height) override;
  void newPage() override;
  int pageNumber() const override { return m_page; }
  void endJob() override;
  void abortJob() override;

 private:
  JobEnd m_jobEnd;  // may hold what the device writes into: it goes last
  std::unique_ptr<QPagedPaintDevice> m_owned;
  QPagedPaintDevice& m_device;
  QPainter m_painter;
  QFont m_baseFont;
  int m_formHeight = 0;
  DeviceCaps m_caps;
  int m_page = 1;
};

// A PDF file on Letter paper with no unreachable border; null when the file cannot be
// made. The file takes the place of any old one only when the job ends and every byte
// reached the disk; `written` then learns whether it did.
std::unique_ptr<PainterSurface> makePdfSurface(const QString& path, const QString& documentTitle,
                                               const QFont& font, int dpi = 600,
                                               std::function<void(bool)> written = {});

}  // namespace quillet
