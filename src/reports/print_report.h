// Quillet — the report page engine: margins, lines, pages, headings and form boxes.
#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>

#include "reports/print_surface.h"

namespace quillet {

class Clock;
class EmployerRecord;
class PrintUi;
class Ui;

// Margins are hundredths of an inch from the paper's edges; positions are device units
// from the printable origin. Columns are tenths of an inch right of the left margin,
// rows sixths of an inch below the top margin, both counted from 1. A printed box of a
// government form is two columns wide.
class TPrintReport {
 public:
  // Asks for the printer and the font through `ui`; Aborted() tells whether the user
  // cancelled. Otherwise the job is open on its first page, at the top margin; the
  // heading is the caller's to print.
  enum class Destination { Printer, Preview };

  TPrintReport(PrintUi& ui, const Clock& clock, const QString& documentTitle, int top, int bottom,
               int left, int right, bool sixLinesPerInch,
               Destination destination = Destination::Printer);
  // Ends the job (the document goes to the printer) unless it was aborted.
  ~TPrintReport();
  TPrintReport(const TPrintReport&) = delete;
  TPrintReport& operator=(const TPrintReport&) = delete;

  bool Aborted() const { return m_surface == nullptr; }
  // The user stopped the job: nothing of it is printed (see PrintSurface::abortJob).
  void Abort();

  QString Title;
  QString SubTitle;

  void NewLine();
  void NewPage();
  void PrintHeading();
  void PrintLine(const QString& text);

  // None of these moves the current line; each does nothing for an empty text.
  void PrintAtColumn(int column, const QString& text);
  void PrintAtCell(int column, int row, const QString& text);
  void PrintRightAligned(int column, const QString& text);
  void PrintInBoxes(int column, int boxes, const QString& text);
  void PrintDigitsInBoxes(int column, int boxes, const QString& digits);
  void PrintCentsInBoxes(int column, int boxes, int32_t cents);     // when above 0
  void PrintBigCentsInBoxes(int column, int boxes, int64_t cents);  // when not negative
  void PrintDollarsInBoxes(int column, int boxes, double dollars);  // when above 0

  // Bold and underline are added to the chosen font, unless it has them already.
  void BoldOn();
  void BoldOff();
  void UnderlineOn();
  void UnderlineOff();

  // "06 Dec 2026 at 8:05 am"
  QString DateTimeStamp() const;

  int columnX(int column) const;
  int rowY(int row) const;
  int textWidth(const QString& text) const { return m_surface->textWidth(text); }

  int PixelsPerInchX() const { return m_caps.pixelsPerInchX; }
  int PixelsPerInchY() const { return m_caps.pixelsPerInchY; }
  int PrintableWidth() const { return m_printableWidth; }
  int PrintableHeight() const { return m_printableHeight; }
  int TopMargin() const { return m_topMargin; }
  int BottomMargin() const { return m_bottomMargin; }
  int LeftMargin() const { return m_leftMargin; }
  int RightMargin() const { return m_rightMargin; }
  int CurrentY() const { return m_currentY; }
  int LastLineY() const { return m_lastLineY; }
  int LineHeight() const { return m_lineHeight; }

 private:
  void applyStyle();
  void computeLineHeight();
  void textOut(int x, int y, const QString& text);

  const Clock& m_clock;
  std::unique_ptr<PrintSurface> m_surface;
  DeviceCaps m_caps;
  bool m_sixLinesPerInch;
  bool m_bold = false;
  bool m_underline = false;
  int m_topMargin = 0;
  int m_bottomMargin = 0;
  int m_leftMargin = 0;
  int m_rightMargin = 0;
  int m_printableWidth = 0;
  int m_printableHeight = 0;
  int m_currentY = 0;
  int m_lastLineY = 0;
  int m_lineHeight = 0;
};

// The pre-printed forms and Summary that this program prints onto are of the 1998 style:
// for a file of a later tax year the user is told so first and may stop. True to go on.
bool acceptOldStationery(const EmployerRecord& employer, Ui& ui);

// "06 Dec 2026 at 8:05 am": the date stamp of the reports.
QString dateTimeStamp(const QDateTime& when);

// The busy box for as long as this lives.
// After the user stopped a printing run: "Printing was stopped: …".
void tellPrintingStopped(Ui& ui, const QString& documentTitle);

class BusyBox {
 public:
  BusyBox(Ui& ui, const QString& reportName);
  ~BusyBox();
  BusyBox(const BusyBox&) = delete;
  BusyBox& operator=(const BusyBox&) = delete;

 private:
  Ui& m_ui;
};

}  // namespace quillet
