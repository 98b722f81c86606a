// Quillet — the dialogs of printing: the printer and font, the set-ups, the label style.
#pragma once

#include <memory>
#include <optional>

#include "core/ui.h"
#include "reports/print_dialogs.h"

namespace quillet {

class PrintSurface;

// Whether a print job asks for its font: the drawn forms carry their own face.
enum class FontChoice { Ask, FormsOwn };

class PrintUi : public virtual Ui {
 public:
  // Asks for the printer, then (unless the form brings its own) for the font, and begins a
  // print job titled `documentTitle` on that printer in that font. Null when the user
  // cancelled either dialog: nothing is printed then, and nothing is said.
  virtual std::unique_ptr<PrintSurface> startPrintJob(const QString& documentTitle,
                                                      FontChoice font = FontChoice::Ask) = 0;
  // The same for a print preview on the screen, from which the user may then print.
  virtual std::unique_ptr<PrintSurface> startPreview(const QString& documentTitle,
                                                     FontChoice font = FontChoice::Ask) = 0;

  // The print set-up dialogs: false (or nothing) when the user cancelled.
  virtual bool editT4PrintSetUp(T4PrintSetUp& setUp) = 0;
  virtual bool editSummarySetUp(SummarySetUp& setUp) = 0;
  virtual bool editPlainPaperSetUp(PlainPaperSetUp& setUp) = 0;
  // The label style, 0 to 3.
  virtual std::optional<int> chooseLabelStyle() = 0;
};

}  // namespace quillet
