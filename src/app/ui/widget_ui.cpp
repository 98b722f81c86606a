// Quillet — the desktop program's Ui: message boxes titled "Quillet", the printer and
// font dialogs, the busy box.
#include "app/ui/widget_ui.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include "data/open_t4_file.h"
#include "efile/ui/transmitter_dialog.h"
#include "efile/ui/xml_export_dialog.h"
#include "payroll_import/ui/pay_conv_setup.h"
#include "platform/file_names.h"
#include "platform/file_replacement.h"
#include "platform/shared_file.h"
#include "reports/painter_surface.h"
#include "reports/ui/error_messages.h"
#include "reports/ui/label_select.h"
#include "reports/ui/plain_paper_set_up.h"
#include "reports/ui/preview_surface.h"
#include "reports/ui/report_is_printing.h"
#include "reports/ui/t4_print_set_up.h"
#include "reports/ui/t4_summary_set_up.h"
#include "screens/ui/employee_index.h"
#include "screens/ui/employer_screen.h"
#include "screens/ui/t4_entry_screen.h"
#include "screens/ui/t4a_entry_screen.h"

namespace quillet {
namespace {

const QString Title = QStringLiteral("Quillet");

// The font dialog's first suggestion: a printer canvas starts in MS Sans Serif of 8 points,
// which gives way to Times New Roman of 11, or the serif font that stands in for it here
// (the dialog offers only fonts that exist).
QFont suggestedPrinterFont() {
  QFont font(QStringLiteral("Times New Roman"), 11);
  font.setStyleHint(QFont::Serif);
  const QString family = QFontInfo(font).family();
  QFont suggested(family, 11);
  // The family's upright face of normal weight and width, named, so that the font dialog
  // opens on it rather than on the first face it lists.
  for (const QString& style : QFontDatabase::styles(family)) {
    if (!QFontDatabase::italic(family, style) &&
        QFontDatabase::weight(family, style) == QFont::Normal &&
        !style.contains(QLatin1String("Condensed"))) {
      suggested.setStyleName(style);
      break;
    }
  }
  return suggested;
}

// The print dialog's own result when Preview was pressed.
constexpr int PreviewChosen = 2;

// Message texts break their lines with carriage returns.
QString displayed(QString text) { return text.replace(u'\r', u'\n'); }

}  // namespace

WidgetUi::WidgetUi(const Clock& clock, QWidget* owner) : m_clock(clock), m_owner(owner) {}

WidgetUi::~WidgetUi() = default;

void WidgetUi::showMessage(const QString& text, const QString& caption) {
  QMessageBox::information(m_owner, caption.isEmpty() ? Title : caption, displayed(text),
                           QMessageBox::Ok);
}

Answer WidgetUi::ask(const QString& text, QuestionKind kind, const QString& caption,
                     QuestionIcon icon) {
  QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
  if (kind == QuestionKind::YesNoCancel) buttons |= QMessageBox::Cancel;
  if (kind == QuestionKind::OkCancel) buttons = QMessageBox::Ok | QMessageBox::Cancel;
  const QMessageBox::Icon shown = icon == QuestionIcon::Error     ? QMessageBox::Critical
                                  : icon == QuestionIcon::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Question;
  QMessageBox box(shown, caption.isEmpty() ? Title : caption, displayed(text), buttons, m_owner);
  switch (box.exec()) {
    case QMessageBox::Yes:
    case QMessageBox::Ok:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

QString WidgetUi::chooseFileToOpen(const FileDialogRequest& request) {
  QFileDialog dialog(m_owner, request.title, request.folder.isEmpty() ? m_folder : request.folder);
  dialog.setNameFilters(request.filters);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setFileMode(request.allowNew ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().first();
  m_folder = QFileInfo(path).absolutePath();
  return path;
}

QString WidgetUi::chooseFileToSave(const FileDialogRequest& request) {
  QFileDialog dialog(m_owner, request.title, request.folder.isEmpty() ? m_folder : request.folder);
  dialog.setNameFilters(request.filters);
  dialog.setDefaultSuffix(request.defaultSuffix);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().first();
  m_folder = QFileInfo(path).absolutePath();
  // A file of other names keeps them for the old file: said before it is replaced.
  if (const QString note = platform::otherNamesNote(path); !note.isEmpty()) showMessage(note);
  return path;
}

QString WidgetUi::chooseFolder(const QString& title) {
  QFileDialog dialog(m_owner, title, m_folder);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  m_folder = dialog.selectedFiles().first();
  return m_folder;
}

bool WidgetUi::editTransmitter(Transmitter& transmitter) {
  TransmitterDialog dialog(transmitter, m_owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  transmitter = dialog.transmitter();
  return true;
}

bool WidgetUi::editXmlExport(XmlExportChoices& choices) {
  XmlExportDialog dialog(choices, m_owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  choices = dialog.choices();
  return true;
}

void WidgetUi::editEmployerRecord(OpenT4FileState& state) {
  TFormT4BusnInfo screen(state, *this, m_clock, m_owner);
  screen.exec();
}

void WidgetUi::editT4Records(OpenT4FileState& state) {
  if (state.slipKind() == SlipKind::T4A) {
    TFormT4AEntry screen(state, *this, m_owner);
    screen.exec();
    return;
  }
  TFormT4Entry screen(state, *this, m_owner);
  screen.exec();
}

void WidgetUi::showEmployeeIndex(OpenT4FileState& state) {
  TFormT4Index index(state, *this, m_owner);
  index.exec();
}

std::unique_ptr<QPrinter> WidgetUi::newPrinter(const QString& documentTitle) const {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(documentTitle);
  // The forms, the Summary and the label sheets are Letter; another size, or another
  // printer, only as the user last chose in this session.
  if (!m_printerName.isEmpty()) printer->setPrinterName(m_printerName);
  if (m_pageLayout) {
    printer->setPageLayout(*m_pageLayout);
  } else {
    printer->setPageSize(QPageSize(QPageSize::Letter));
  }
  return printer;
}

std::unique_ptr<PrintSurface> WidgetUi::startPrintJob(const QString& documentTitle,
                                                      FontChoice fontChoice) {
  std::unique_ptr<QPrinter> printer = newPrinter(documentTitle);
  QPrintDialog printDialog(printer.get(), m_owner);
  // Beside Print, a look at the job on the screen first (from which it may be printed).
  if (auto* buttons = printDialog.findChild<QDialogButtonBox*>()) {
    QPushButton* preview =
        buttons->addButton(QStringLiteral("Preview"), QDialogButtonBox::ActionRole);
    preview->setObjectName(QStringLiteral("PreviewButton"));
    QObject::connect(preview, &QPushButton::clicked, &printDialog,
                     [&printDialog] { printDialog.done(PreviewChosen); });
  }
  const int chosen = printDialog.exec();
  if (chosen != QDialog::Accepted && chosen != PreviewChosen) return nullptr;
  m_printerName = printer->printerName();
  m_pageLayout = printer->pageLayout();
  // Printed to a file, the job never takes the place of a file a writer holds: the open T4
  // file above all.
  if (const QString file = printer->outputFileName();
      !file.isEmpty() && platform::pathFacts(file).exists &&
      !platform::SharedFile::open(file, platform::OpenMode::ReadDenyWrite)) {
    showMessage(platform::cannotCreateMessage(file));
    return nullptr;
  }

  const std::optional<QFont> font = chooseFont(documentTitle, fontChoice);
  if (!font) return nullptr;
  if (chosen == PreviewChosen) {
    return std::make_unique<PreviewSurface>(std::move(printer), *font, m_owner);
  }
  QPrinter& device = *printer;
  // A job the user stopped is dropped by the printer; printed to a file, the file is
  // removed, so that no part of a document is left to be taken for the whole.
  auto surface =
      std::make_unique<PainterSurface>(device, *font, std::move(printer), [&device](bool whole) {
        if (whole) return;
        device.abort();
        if (!device.outputFileName().isEmpty()) QFile::remove(device.outputFileName());
      });
  if (!surface->isActive()) return nullptr;
  return surface;
}

ViewerResult WidgetUi::showReport(const ViewerReport& report, ViewerButtons buttons) {
  TFormErrorMessages viewer(report, buttons, *this, m_clock, m_owner);
  viewer.exec();
  return viewer.result();
}

bool WidgetUi::editT4PrintSetUp(T4PrintSetUp& setUp) {
  TFormT4PrintSetUp dialog(m_owner);
  dialog.setValues(setUp);
  if (dialog.exec() != QDialog::Accepted) return false;
  setUp = dialog.values();
  return true;
}

bool WidgetUi::editPlainPaperSetUp(PlainPaperSetUp& setUp) {
  TFormPlainPaperSetUp dialog(setUp, *this, m_owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  setUp = dialog.values();
  return true;
}

bool WidgetUi::editSummarySetUp(SummarySetUp& setUp) {
  TT4SummySetUp dialog(setUp, *this, m_owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  setUp = dialog.values();
  return true;
}

std::optional<int> WidgetUi::chooseLabelStyle() {
  TFormLabelSelect dialog(m_owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.style();
}

std::unique_ptr<PrintSurface> WidgetUi::startPreview(const QString& documentTitle,
                                                     FontChoice fontChoice) {
  std::unique_ptr<QPrinter> printer = newPrinter(documentTitle);
  const std::optional<QFont> font = chooseFont(documentTitle, fontChoice);
  if (!font) return nullptr;
  return std::make_unique<PreviewSurface>(std::move(printer), *font, m_owner);
}

std::optional<QFont> WidgetUi::chooseFont(const QString& documentTitle, FontChoice choice) {
  if (choice == FontChoice::FormsOwn) return QFont(QStringLiteral("DejaVu Sans"), 10);
  bool chosen;
  const QFont font = QFontDialog::getFont(&chosen, m_font.value_or(suggestedPrinterFont()), m_owner,
                                          documentTitle);
  if (!chosen) return std::nullopt;
  m_font = font;  // the next job of the session starts from it
  return font;
}

void WidgetUi::askPayrollSetUp(PayrollSetUp& answers) {
  TFormPayConvSetup dialog(m_owner);
  dialog.exec();  // however it is closed, the answers stand as they are
  answers = dialog.answers();
}

void WidgetUi::showBusy(const QString& reportName) {
  m_busy = std::make_unique<TFormReportIsPrinting>(reportName, m_owner);
  m_busy->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::processEvents();
}

bool WidgetUi::progress(const QString& what, int done, int total) {
  if (!m_progress && done >= total) return true;
  if (!m_progress) {
    m_progress = std::make_unique<QProgressDialog>(m_owner);
    m_progress->setObjectName(QStringLiteral("ProgressDialog"));
    m_progress->setWindowTitle(QStringLiteral("Quillet"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(500);
    m_progress->setAutoReset(false);
  }
  m_progress->setLabelText(QStringLiteral("%1: %2 of %3").arg(what).arg(done).arg(total));
  m_progress->setMaximum(std::max(total, 1));
  m_progress->setValue(std::min(done, total));
  const bool going = !m_progress->wasCanceled();
  if (done >= total || !going) m_progress.reset();
  return going;
}

void WidgetUi::hideBusy() {
  if (!m_busy) return;
  m_busy.reset();
  QApplication::restoreOverrideCursor();
}

}  // namespace quillet
