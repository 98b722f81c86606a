// Quillet — a print job kept as its text outputs, to be shown or printed later.
#pragma once

#include <QFont>
#include <vector>

#include "reports/print_surface.h"

class QPaintDevice;

namespace quillet {

// Measures text as `device` would in `font` and keeps every output, so that the job can
// be played onto another surface (a print preview, then the printer) page by page.
class RecordingSurface : public PrintSurface {
 public:
  RecordingSurface(const DeviceCaps& caps, const QFont& font, const QPaintDevice* device);

  DeviceCaps caps() const override { return m_caps; }
  int baseFontHeight() const override;
  bool baseFontBold() const override { return m_baseFont.bold(); }
  bool baseFontUnderline() const override { return m_baseFont.underline(); }
  void setStyle(bool bold, bool underline) override;
  int textWidth(const QString& text) const override;
  std::optional<TextMetrics> textMetrics() const override;
  void textOut(int x, int y, const QString& text) override;
  void newPage() override { ++m_page; }
  int pageNumber() const override { return m_page; }
  void endJob() override {}

  // Every page and output again, onto `target`, which is then ended.
  void replay(PrintSurface& target) const;
  int pages() const { return m_page; }

 protected:
  const QFont& baseFont() const { return m_baseFont; }

 private:
  struct Output {
    int page, x, y;
    bool bold, underline;
    QString text;
  };

  DeviceCaps m_caps;
  QFont m_baseFont;
  QFont m_font;
  const QPaintDevice* m_device;
  int m_page = 1;
  std::vector<Output> m_outputs;
};

}  // namespace quillet
