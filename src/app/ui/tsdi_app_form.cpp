// Quillet — the main window: menus, speed buttons, the long-hint line.
#include "app/ui/tsdi_app_form.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSysInfo>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/about_box.h"

namespace quillet {
namespace {

const QString OpenHint = QStringLiteral(
    "Opens *.T4E files (Wagebook Customers should use this program's Wagebook menu, open "
    "Configuration, then open WAGBOK.T4E)");
const QString NewHint = QStringLiteral(
    "Creates new *.T4E file (Wagebook Customers should use this program's Wagebook menu, open "
    "Configuration, then open WAGBOK.T4E)");
const QString CopyHint = QStringLiteral(
    "Copy ANY file (not just T4 files). Also usefull to make backups or, for those who are NOT "
    "Wagebook clients, to re-use a copy of last years T4 file as a base for this year.");
const QString EditT4Hint = QStringLiteral("Modify T4 data before it is totalled or printed");
const QString PrintT4Hint = QStringLiteral(
    "The end result. Prints your T4 forms ready to send to Revenue Canada, or use plain paper if "
    "you want a draft first.");
const QString NoteHint =
    QStringLiteral("This item is just a note for your assistance. It cannot be selected.");

}  // namespace

TSDIAppForm::TSDIAppForm(OpenT4FileState& state, AppUi& ui, const Clock& clock,
                         const SettingsStore& settings, QStringList arguments,
                         std::function<void()> startUp, QWidget* parent, const QString& programDir)
    : QMainWindow(parent),
      m_commands(state, ui, clock, settings, programDir),
      m_arguments(std::move(arguments)),
      m_startUp(std::move(startUp)) {
  setObjectName(QStringLiteral("TSDIAppForm"));
  buildMenus();
  buildSpeedButtons();
  buildPanels();
  resize(640, 420);
  setWindowTitle(m_commands.caption());
  offerWhatTheFileAllows();
  m_commands.onCaptionChange([this](const QString& caption) {
    setWindowTitle(caption);
    offerWhatTheFileAllows();
  });
}

void TSDIAppForm::run(void (MainCommands::*command)()) {
  (m_commands.*command)();
  runPayroll(nullptr);  // the marks and the caption follow what the command did
}

void TSDIAppForm::runPayroll(void (PayrollMenu::*command)()) {
  if (command) (m_commands.payroll().*command)();
  const auto& checks = m_commands.payroll().checks();
  const char* names[] = {"Open_CNF1", "Open_WAGBOK_T4E1", "Open_WGBT4_DTA1", "PrintT4Register1"};
  for (std::size_t i = 0; i < checks.size(); ++i)
    findChild<QAction*>(QLatin1String(names[i]))->setChecked(checks[i]);
  setWindowTitle(m_commands.caption());
  offerWhatTheFileAllows();
}

void TSDIAppForm::offerWhatTheFileAllows() {
  const bool t4a = m_commands.openKind() == SlipKind::T4A;
  // The pre-printed forms and the labels are the T4 file's.
  for (const char* name : {"PrintT4Records1", "PrintMailingLabels1"})
    findChild<QAction*>(QLatin1String(name))->setEnabled(!t4a);
  findChild<QToolButton*>(QStringLiteral("SpeedButtonPrintT4"))->setEnabled(!t4a);
  // The commands of either kind say which they work on.
  for (const char* name :
       {"ExportCsvItem", "ImportCsvItem", "EditT4Records1", "PrintT4Errors1", "PrintT4Totals1",
        "PrintPlainSlips", "PrintPlainSummary", "ExportSlipPdfs"}) {
    QAction* action = findChild<QAction*>(QLatin1String(name));
    if (!action->data().isValid()) action->setData(action->text());
    QString text = action->data().toString();
    if (t4a) {
      text.replace(QStringLiteral("T4"), QStringLiteral("T4A"))
          .replace(QStringLiteral("Forms"), QStringLiteral("Slips"))
          .replace(QStringLiteral("employee"), QStringLiteral("recipient"));
    }
    action->setText(text);
  }
}

void TSDIAppForm::buildMenus() {
  struct Item {
    const char* name;
    QString caption;
    QString hint;
    void (MainCommands::*command)();
    QKeySequence shortcut = {};
  };
  const auto addItems = [this](QMenu* menu, std::initializer_list<Item> items) {
    for (const Item& item : items) {
      if (!item.name) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(item.caption);
      action->setObjectName(QLatin1String(item.name));
      action->setStatusTip(item.hint);
      action->setShortcut(item.shortcut);
      if (item.command) {
        connect(action, &QAction::triggered, this,
                [this, command = item.command] { run(command); });
      }
    }
  };
  const Item separator{nullptr, {}, {}, nullptr};
  const QKeySequence altX(Qt::ALT | Qt::Key_X);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("FileMenu"));
  addItems(
      file,
      {{"NewFileItem", QStringLiteral("Create &New T4 file..."), NewHint, &MainCommands::newFile},
       {"OpenItem", QStringLiteral("&Open T4E files..."), OpenHint, &MainCommands::openFile},
       {"NewT4AItem", QStringLiteral("New T4&A file of this payer…"),
        QStringLiteral("Makes the empty T4A file of the open T4 file's employer and year, for "
                       "contractors' fees, commissions and pensions"),
        &MainCommands::newT4AFile},
       {"CopyfileItem", QStringLiteral("&Copy ANY file..."), CopyHint, &MainCommands::copyFile},
       separator,
       {"ExportCsvItem", QStringLiteral("&Export T4s to a spreadsheet…"),
        QStringLiteral("Writes every T4 record of the open file as a CSV spreadsheet"),
        &MainCommands::exportCsv},
       {"ImportCsvItem", QStringLiteral("I&mport T4s from a spreadsheet…"),
        QStringLiteral("Adds or updates (by SIN) T4 records from the rows of a CSV spreadsheet, "
                       "after showing what each row would do"),
        &MainCommands::importCsv},
       {"NextYearItem", QStringLiteral("Start next &year's file…"),
        QStringLiteral("Makes the T4 file of the following tax year: the employer with that "
                       "year's rates, every employee with amounts of zero"),
        &MainCommands::startNextYear},
       separator,
       {"ExportXmlItem", QStringLiteral("Export for &Internet filing…"),
        QStringLiteral("Writes the T4 return as CRA's XML for Internet File Transfer, after "
                       "checking it against CRA's rules"),
        &MainCommands::exportXml},
       separator,
       {"ExitItem", QStringLiteral("E&xit"), QStringLiteral("Exit application"), nullptr, altX}});

  QMenu* wagebook = menuBar()->addMenu(QStringLiteral("&Wagebook Customers"));
  wagebook->setObjectName(QStringLiteral("WagebookMenu"));
  addItems(
      wagebook,
      {{"Open_CNF1",
        QStringLiteral("Open Company Payroll Confi&guration File (Needed for all choices)"),
        QStringLiteral("Always required to locate company specific data directory or folder "
                       "containing T4 data"),
        nullptr},
       {"Open_WAGBOK_T4E1",
        QStringLiteral("Open an ex&isting WAGBOK.T4E file (for editing/printing T4's)"),
        QStringLiteral(
            "This is the file you normally work with (unless another year end has occurred since "
            "it was created - if so select choice below to overwrite with new year's data from "
            "wgbt4.dta)."),
        nullptr},
       separator,
       {"WagBokNote1", QStringLiteral("When WAGBOK.T4E is open use regular Edit && Report menu"),
        NoteHint, nullptr},
       {"WagBokNote2", QStringLiteral("You need the next two menu items only once per year"),
        NoteHint, nullptr},
       separator,
       {"Open_WGBT4_DTA1",
        QStringLiteral("Create Ne&w WAGBOK.T4E file from Year End file WGBT4.DTA"),
        QStringLiteral(
            "Select ONCE each year, after payroll year end. Selecting this a second time before "
            "the next year end risks overwriting your T4 edit changes in file WAGBOK.T4E"),
        nullptr},
       {"PrintT4Register1",
        QStringLiteral("Print So&urce T4 Register from Year End file WGBT4.DTA"),
        QStringLiteral(
            "This is a similar report to the year end ytd payroll register except employees are "
            "in alphabetical order."),
        nullptr},
       separator,
       // Alt+X belongs to File's Exit alone: a shortcut on two actions is ambiguous and
       // Qt would run neither. This one only shows it.
       {"WagBokExit1", QStringLiteral("E&xit\tAlt+X"), QStringLiteral("Exit application"),
        nullptr}});
  for (const char* note : {"WagBokNote1", "WagBokNote2"})
    findChild<QAction*>(QLatin1String(note))->setEnabled(false);
  // The four payroll commands carry a check mark once carried out in payroll mode.
  const std::pair<const char*, void (PayrollMenu::*)()> payrollItems[] = {
      {"Open_CNF1", &PayrollMenu::OpenPayrollConfig},
      {"Open_WAGBOK_T4E1", &PayrollMenu::OpenPayrollT4},
      {"Open_WGBT4_DTA1", &PayrollMenu::CreatePayrollT4},
      {"PrintT4Register1", &PayrollMenu::PrintPayrollRegister}};
  for (const auto& [name, command] : payrollItems) {
    QAction* action = findChild<QAction*>(QLatin1String(name));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, command = command] { runPayroll(command); });
  }

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  addItems(edit,
           {{"EditCompanyInfo", QStringLiteral("Compan&y Info, CPP/EI rates"),
             QStringLiteral("Edit company name, address, phone. Revenue Canada business number."),
             &MainCommands::editEmployer},
            {"EditT4Records1", QStringLiteral("T4 Forms &View"), EditT4Hint,
             &MainCommands::editT4Records},
            {"EditTransmitter", QStringLiteral("&Transmitter for Internet filing…"),
             QStringLiteral("Who files the XML return with CRA, and how CRA reaches them"),
             &MainCommands::editTransmitter}});

  QMenu* reports = menuBar()->addMenu(QStringLiteral("Print &Reports"));
  reports->setObjectName(QStringLiteral("PrintReportsMenu"));
  addItems(
      reports,
      {{"PrintT4Errors1", QStringLiteral("T4 Error&s"),
        QStringLiteral(
            "This will check all T4 forms on file and list any errors found. View results on "
            "screen or print."),
        &MainCommands::printErrors},
       {"PrintT4Totals1", QStringLiteral("T4 &Totals"),
        QStringLiteral(
            "These are the figures you need for the T4 Summary Form and to compare to PD7A "
            "remittances. View results on screen or print."),
        &MainCommands::printTotals},
       {"PrintT4Records1", QStringLiteral("T4 For&ms"), PrintT4Hint, &MainCommands::printForms},
       {"PrintMailingLabels1", QStringLiteral("Mailing &Labels"), {}, &MainCommands::printLabels},
       separator,
       {"PrintPlainSlips", QStringLiteral("T4 slips on &plain paper…"),
        QStringLiteral("Draws the whole T4 slip for the file's tax year: employee's copies (two "
                       "on a sheet), the employer's copy or the copies for CRA"),
        &MainCommands::printPlainSlips},
       {"PrintPlainSummary", QStringLiteral("T4 S&ummary on plain paper…"),
        QStringLiteral("Draws the whole T4 Summary for the file's tax year"),
        &MainCommands::printPlainSummary},
       {"ExportSlipPdfs", QStringLiteral("T4 slips as P&DF, one per employee…"),
        QStringLiteral("Writes each employee's copies into a PDF file of their own, to send by "
                       "e-mail or through a portal"),
        &MainCommands::exportSlipPdfs}});

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  QAction* about = help->addAction(QStringLiteral("&About..."));
  about->setObjectName(QStringLiteral("About1"));
  connect(about, &QAction::triggered, this, &TSDIAppForm::showAbout);

  for (const char* exit : {"ExitItem", "WagBokExit1"}) {
    connect(findChild<QAction*>(QLatin1String(exit)), &QAction::triggered, this, &QWidget::close);
  }
}

void TSDIAppForm::buildSpeedButtons() {
  auto* panel = addToolBar(QStringLiteral("SpeedPanel"));
  panel->setObjectName(QStringLiteral("SpeedPanel"));
  panel->setMovable(false);
  struct Button {
    const char* name;
    const char* text;
    QString hint;
    std::function<void()> action;
  };
  const Button buttons[] = {
      {"SpeedButtonNewT4", "New", NewHint, [this] { run(&MainCommands::newFile); }},
      {"SpeedButtonOpenRegularT4", "Open", OpenHint, [this] { run(&MainCommands::openFile); }},
      {"SpeedButtonOpenWgbT4", "Wagebook",
       QStringLiteral(
           "Opens Company payroll configuration file, then opens appropriate Wagebook T4 file"),
       [this] { runPayroll(&PayrollMenu::OpenPayrollAll); }},
      {"SpeedButtonCopy", "Copy", CopyHint, [this] { run(&MainCommands::copyFile); }},
      {"SpeedButtonEditT4", "Edit T4s", EditT4Hint, [this] { run(&MainCommands::editT4Records); }},
      {"SpeedButtonPrintT4", "Print T4s", PrintT4Hint, [this] { run(&MainCommands::printForms); }},
      {"SpeedButtonExit", "Exit", QStringLiteral("Exit from program, close window"),
       [this] { close(); }},
  };
  for (const Button& b : buttons) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QLatin1String(b.name));
    button->setText(QLatin1String(b.text));
    button->setToolTip(b.hint);
    button->setStatusTip(b.hint);
    if (b.action) connect(button, &QToolButton::clicked, this, b.action);
    panel->addWidget(button);
  }
}

void TSDIAppForm::buildPanels() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* title = new QWidget(central);
  title->setObjectName(QStringLiteral("TitlePanel1"));
  auto* titleLayout = new QVBoxLayout(title);
  auto* name = new QLabel(QStringLiteral("Quillet"), title);
  name->setObjectName(QStringLiteral("LabelProgramName"));
  QFont big = name->font();
  big.setPointSize(big.pointSize() * 3);
  big.setBold(true);
  name->setFont(big);
  titleLayout->addWidget(name, 0, Qt::AlignHCenter);
  // The platform the program runs on, where the original named its Windows versions.
  auto* platform = new QLabel(QStringLiteral("For %1").arg(QSysInfo::prettyProductName()), title);
  platform->setObjectName(QStringLiteral("LabelPlatform"));
  titleLayout->addWidget(platform, 0, Qt::AlignHCenter);
  layout->addWidget(title);

  auto* flag = new QLabel(central);
  flag->setObjectName(QStringLiteral("ImageCanFlag"));
  flag->setPixmap(programPicture());
  layout->addWidget(flag, 0, Qt::AlignHCenter);
  auto* description = new QLabel(
      QStringLiteral(
          "Enter, Edit, & Print Revenue Canada T4 Forms (Statement of Remuneration Paid).  For use "
          "with NEW 1998 style of T4 Form"),
      central);
  description->setObjectName(QStringLiteral("LabelDescription"));
  description->setWordWrap(true);
  description->setAlignment(Qt::AlignCenter);
  layout->addWidget(description);
  setCentralWidget(central);

  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  LabelLongerHint = new QLabel(statusBar());
  LabelLongerHint->setObjectName(QStringLiteral("LabelLongerHint"));
  statusBar()->addWidget(LabelLongerHint, 1);
}

bool TSDIAppForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    LabelLongerHint->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void TSDIAppForm::FormActivate() {
  if (m_startUp) m_startUp();
  if (std::exchange(m_activated, true)) return;
  m_commands.handleCommandLine(m_arguments);  // the caption follows the file it opens
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
  m_commands.exit();
  setWindowTitle(m_commands.caption());
  QMainWindow::closeEvent(event);
}

void TSDIAppForm::showAbout() {
  TAboutBox about(this);
  about.exec();
}

}  // namespace quillet
