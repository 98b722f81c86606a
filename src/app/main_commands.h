// Quillet — the commands of the main window, as core code under the Ui seam.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "data/record.h"
#include "payroll_import/payroll_menu.h"

namespace quillet {

class Clock;
class OpenT4FileState;
class SettingsStore;
class AppUi;

// The working state of the main window and what its menu items and speed buttons do.
class MainCommands {
 public:
  MainCommands(OpenT4FileState& state, AppUi& ui, const Clock& clock, const SettingsStore& settings,
               const QString& programDir = {});

  // "Processing: <path>" while a T4 file is open; "Processing T4A slips: <path>" for a T4A
  // file.
  QString caption() const;
  // Called with the new caption as soon as a file is opened or fails to open, before any
  // screen the command goes on to show.
  void onCaptionChange(std::function<void(const QString&)> listener) {
    m_captionChange = std::move(listener);
  }

  // The command line of the first activation: a .T4E (or .T4A) name opens that file, then
  // goes to T4 form printing ("/P"; a T4A file's slips on plain paper) or to the entry
  // screen.
  void handleCommandLine(const QStringList& args);

  void newFile();
  void openFile();
  // The empty T4A file of the open T4 file's payer and year, made and opened.
  void newT4AFile();
  void copyFile();
  void exportXml();
  void exportCsv();
  void importCsv();
  void startNextYear();
  void editTransmitter();
  void editEmployer();
  void editT4Records();
  void printErrors();
  void printTotals();
  void printForms();
  void printLabels();
  void printPlainSlips();
  void printPlainSummary();
  void exportSlipPdfs();
  // Closing the main window: the open file is closed and payroll mode left.
  void exit();

  // The kind of the open file's slips; nothing while no file is open.
  std::optional<SlipKind> openKind() const;

  // The Wagebook Customers menu and its payroll mode.
  PayrollMenu& payroll() { return m_payroll; }

 private:
  bool fileIsOpen();
  bool employerReady();
  bool reportReady();
  bool t4ReportReady();  // the reports of T4 files alone: the forms, the labels
  bool openT4File(const QString& name);

  OpenT4FileState& m_state;
  AppUi& m_ui;
  const Clock& m_clock;
  const SettingsStore& m_settings;
  PayrollMenu m_payroll;
  std::function<void(const QString&)> m_captionChange;
};

}  // namespace quillet
