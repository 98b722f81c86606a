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
  void drawLine(int x1, int y1, int x2, int y2) override;
  void drawFrame(int x, int y, int width, int height) override;
  void fillRect(int x, int y, int width, int height) override;
  void setFormTextHeight(int height) override;
  void newPage() override { ++m_page; }
  int pageNumber() const override { return m_page; }
  void endJob() override {}

  // Every page and output again, onto `target`, which is then ended.
  void replay(PrintSurface& target) const;
  int pages() const { return m_page; }

 protected:
  const QFont& baseFont() const { return m_baseFont; }

 private:
  enum class Kind { Text, Line, Frame, Fill };
  struct Output {
    Kind kind;
    int page, x, y;
    int x2OrWidth, y2OrHeight;  // of a drawing
    bool bold, underline;
    int formHeight;
    QString text;
  };
  void keep(Kind kind, int x, int y, int x2OrWidth, int y2OrHeight, const QString& text = {});

  DeviceCaps m_caps;
  QFont m_baseFont;
  QFont m_font;
  int m_formHeight = 0;
  const QPaintDevice* m_device;
  int m_page = 1;
  std::vector<Output> m_outputs;
};

}  // namespace quillet
