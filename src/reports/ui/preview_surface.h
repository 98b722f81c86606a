// Quillet — a print job shown in a print preview, from which it can be printed.
#pragma once

#include <QPrinter>
#include <memory>

#include "reports/recording_surface.h"

class QWidget;

namespace quillet {

// Laid out for `printer` in `font`; when the job ends the preview opens, and its own
// Print button sends the pages to the printer.
class PreviewSurface final : public RecordingSurface {
 public:
  PreviewSurface(std::unique_ptr<QPrinter> printer, const QFont& font, QWidget* owner);
  void endJob() override;

 private:
  std::unique_ptr<QPrinter> m_printer;
  QWidget* m_owner;
};

}  // namespace quillet
