// Quillet — the printer as the page engine sees it.
#pragma once

#include <QString>
#include <optional>

namespace quillet {

// What the printer tells of itself, in device units (LOGPIXELS, HORZRES, VERTRES,
// PHYSICALWIDTH, PHYSICALHEIGHT, PHYSICALOFFSETX, PHYSICALOFFSETY).
struct DeviceCaps {
  int pixelsPerInchX = 0;
  int pixelsPerInchY = 0;
  int horzRes = 0;  // printable width
  int vertRes = 0;  // printable height
  int physicalWidth = 0;
  int physicalHeight = 0;
  int physicalOffsetX = 0;  // unreachable border at the left
  int physicalOffsetY = 0;  // unreachable border at the top
};

struct TextMetrics {
  int height = 0;  // character height
  int externalLeading = 0;
};

// One print job on one printer, already begun, in the font that the user chose. Text
// positions are device units from the top-left corner of the printable area.
class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  virtual DeviceCaps caps() const = 0;
  // The chosen font: its height (negative: character height) and whether it is bold or
  // underlined in itself.
  virtual int baseFontHeight() const = 0;
  virtual bool baseFontBold() const = 0;
  virtual bool baseFontUnderline() const = 0;

  // The chosen font with this much bold and underline from now on.
  virtual void setStyle(bool bold, bool underline) = 0;
  virtual int textWidth(const QString& text) const = 0;
  // Nothing when the printer cannot tell.
  virtual std::optional<TextMetrics> textMetrics() const = 0;
  // `x`, `y`: the top-left corner of the text.
  virtual void textOut(int x, int y, const QString& text) = 0;

  // What the drawn forms need besides text, in device units; the kinds printed onto
  // pre-printed stationery never use these. A thin line from (x1, y1) to (x2, y2):
  virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
  // The outline of a rectangle whose top-left corner is (x, y):
  virtual void drawFrame(int x, int y, int width, int height) = 0;
  // A rectangle filled light grey:
  virtual void fillRect(int x, int y, int width, int height) = 0;
  // From now on text in the drawn forms' face, `height` device units for its line (0: the
  // chosen font again); textWidth, textMetrics and textOut follow, in the present style.
  virtual void setFormTextHeight(int height) = 0;

  virtual void newPage() = 0;
  virtual int pageNumber() const = 0;  // from 1
  // Sends the document to the printer.
  virtual void endJob() = 0;
  // Ends the job without its document: nothing is printed or kept. By default the pages
  // go out as endJob sends them (a surface that keeps nothing).
  virtual void abortJob() { endJob(); }
};

}  // namespace quillet
