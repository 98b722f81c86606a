// Quillet — a print job shown in a print preview, from which it can be printed.
#include "reports/ui/preview_surface.h"

#include <QPrintPreviewDialog>

#include "reports/painter_surface.h"

namespace quillet {

PreviewSurface::PreviewSurface(std::unique_ptr<QPrinter> printer, const QFont& font, QWidget* owner)
    : RecordingSurface(pageCaps(*printer), font, printer.get()),
      m_printer(std::move(printer)),
      m_owner(owner) {}

void PreviewSurface::endJob() {
  QPrintPreviewDialog preview(m_printer.get(), m_owner);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [this](QPrinter* printer) {
                     PainterSurface pages(*printer, baseFont());
                     replay(pages);
                   });
  preview.exec();
}

}  // namespace quillet
