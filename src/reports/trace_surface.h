// Quillet — the trace printer: a virtual Letter-size printer whose output is text.
#pragma once

#include <QStringList>
#include <functional>

#include "reports/print_surface.h"

namespace quillet {

struct TraceSettings {
  int dpi = 300;
  int offsetX = 0;        // unreachable border at the left and the right
  int offsetY = 0;        // and at the top and the bottom
  bool boldFont = false;  // the chosen font is bold in itself
};

// One fixed-pitch font whatever was asked for: every character dpi div 10 wide, dpi div 6
// high. Each text output becomes a line "page<TAB>x<TAB>y<TAB>style<TAB>text", style
// being "-", "b", "u" or "bu"; the end of the job adds "end<TAB>pages".
class TraceSurface final : public PrintSurface {
 public:
  using LineSink = std::function<void(const QString& line)>;

  // Each line goes to `sink` as it is printed: nothing of the job is kept here.
  explicit TraceSurface(TraceSettings settings, LineSink sink)
      : m_settings(settings), m_sink(std::move(sink)) {}

  DeviceCaps caps() const override;
  int baseFontHeight() const override { return -(m_settings.dpi / 6); }
  bool baseFontBold() const override { return m_settings.boldFont; }
  bool baseFontUnderline() const override { return false; }
  void setStyle(bool bold, bool underline) override;
  int textWidth(const QString& text) const override;
  std::optional<TextMetrics> textMetrics() const override;
  void textOut(int x, int y, const QString& text) override;
  // Drawings trace with style "#": "line X2,Y2", "frame W,H", "fill W,H" at (x, y). Text
  // in the form's face is the trace font at that height: a character 3/5 of it wide.
  void drawLine(int x1, int y1, int x2, int y2) override;
  void drawFrame(int x, int y, int width, int height) override;
  void fillRect(int x, int y, int width, int height) override;
  void setFormTextHeight(int height) override { m_formHeight = height; }
  void newPage() override { ++m_page; }
  int pageNumber() const override { return m_page; }
  void endJob() override;
  void abortJob() override;  // the trace ends "aborted"

 private:
  TraceSettings m_settings;
  LineSink m_sink;
  void trace(int x, int y, const QString& style, const QString& text);

  QString m_style = QStringLiteral("-");
  int m_formHeight = 0;
  int m_page = 1;
};

}  // namespace quillet
