// Quillet — the report page engine: margins, lines, pages, headings and form boxes.
#include "reports/print_report.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/clock.h"
#include "data/employer_record.h"
#include "reports/print_ui.h"

namespace quillet {

TPrintReport::TPrintReport(PrintUi& ui, const Clock& clock, const QString& documentTitle, int top,
                           int bottom, int left, int right, bool sixLinesPerInch,
                           Destination destination)
    : m_clock(clock),
      m_surface(destination == Destination::Preview ? ui.startPreview(documentTitle)
                                                    : ui.startPrintJob(documentTitle)),
      m_sixLinesPerInch(sixLinesPerInch) {
  if (!m_surface) return;
  m_caps = m_surface->caps();
  const DeviceCaps& c = m_caps;
  // A margin is measured from the paper's edge: the part the printer cannot reach on
  // that side is taken off it, and what is left is never negative.
  const auto margin = [](int64_t pixelsPerInch, int hundredths, int unreachable) {
    return std::max<int64_t>(0, pixelsPerInch * hundredths / 100 - unreachable);
  };
  m_topMargin = int(margin(c.pixelsPerInchY, top, c.physicalOffsetY));
  m_bottomMargin =
      int(margin(c.pixelsPerInchY, bottom, c.physicalHeight - c.vertRes - c.physicalOffsetY));
  m_leftMargin = int(margin(c.pixelsPerInchX, left, c.physicalOffsetX));
  m_rightMargin =
      int(margin(c.pixelsPerInchX, right, c.physicalWidth - c.horzRes - c.physicalOffsetX));
  m_printableWidth = c.horzRes - (m_leftMargin + m_rightMargin);
  m_printableHeight = c.vertRes - (m_topMargin + m_bottomMargin);
  m_currentY = m_topMargin;
  computeLineHeight();
}

TPrintReport::~TPrintReport() {
  if (m_surface) m_surface->endJob();
}

void TPrintReport::Abort() {
  if (m_surface) m_surface->abortJob();
  m_surface.reset();
}

void TPrintReport::computeLineHeight() {
  if (m_sixLinesPerInch) {
    m_lineHeight = (m_caps.pixelsPerInchY + 3) / 6;
  } else if (const auto metrics = m_surface->textMetrics()) {
    m_lineHeight = std::abs(metrics->height) + std::abs(metrics->externalLeading);
  } else {
    m_lineHeight = std::abs(m_surface->baseFontHeight());
  }
  m_lastLineY = m_topMargin + m_printableHeight - m_lineHeight;
}

void TPrintReport::applyStyle() {
  m_surface->setStyle(m_bold || m_surface->baseFontBold(),
                      m_underline || m_surface->baseFontUnderline());
  computeLineHeight();
}

void TPrintReport::BoldOn() {
  if (!m_surface->baseFontBold()) m_bold = true;
  applyStyle();
}

void TPrintReport::BoldOff() {
  if (!m_surface->baseFontBold()) m_bold = false;
  applyStyle();
}

void TPrintReport::UnderlineOn() {
  if (!m_surface->baseFontUnderline()) m_underline = true;
  applyStyle();
}

void TPrintReport::UnderlineOff() {
  if (!m_surface->baseFontUnderline()) m_underline = false;
  applyStyle();
}

void TPrintReport::textOut(int x, int y, const QString& text) {
  if (!text.isEmpty()) m_surface->textOut(x, y, text);
}

void TPrintReport::NewLine() {
  m_currentY += m_lineHeight;
  if (m_currentY > m_lastLineY) NewPage();
}

void TPrintReport::NewPage() {
  m_surface->newPage();
  m_currentY = m_topMargin;
  PrintHeading();
}

void TPrintReport::PrintHeading() {
  if (Title.isEmpty() && SubTitle.isEmpty()) return;
  BoldOn();
  if (SubTitle.isEmpty()) UnderlineOn();  // a lone title is underlined
  const int gap = m_caps.pixelsPerInchX / 5;
  textOut(m_leftMargin, m_currentY, Title);
  textOut(m_leftMargin + textWidth(Title) + gap, m_currentY, DateTimeStamp());
  const QString page = QStringLiteral("Page ") + QString::number(m_surface->pageNumber());
  textOut(m_leftMargin + m_printableWidth - (textWidth(page) + gap), m_currentY, page);
  NewLine();
  if (!SubTitle.isEmpty()) {
    UnderlineOn();
    textOut(m_leftMargin, m_currentY, SubTitle);
    NewLine();
  }
  UnderlineOff();
  BoldOff();
  NewLine();
  NewLine();
}

void TPrintReport::PrintLine(const QString& text) {
  textOut(m_leftMargin, m_currentY, text);
  NewLine();
}

int TPrintReport::columnX(int column) const {
  return m_leftMargin + m_caps.pixelsPerInchX * (column - 1) / 10;
}

int TPrintReport::rowY(int row) const {
  return m_topMargin + m_caps.pixelsPerInchY * (row - 1) / 6;
}

void TPrintReport::PrintAtColumn(int column, const QString& text) {
  textOut(columnX(column), m_currentY, text);
}

void TPrintReport::PrintAtCell(int column, int row, const QString& text) {
  textOut(columnX(column), rowY(row), text);
}

void TPrintReport::PrintRightAligned(int column, const QString& text) {
  textOut(std::max(0, columnX(column) - textWidth(text)), m_currentY, text);
}

void TPrintReport::PrintInBoxes(int column, int boxes, const QString& text) {
  if (text.size() > boxes) {
    PrintAtColumn(column, text);
    return;
  }
  for (qsizetype i = 0; i < text.size(); ++i) PrintAtColumn(column + 2 * int(i), text.mid(i, 1));
}

void TPrintReport::PrintDigitsInBoxes(int column, int boxes, const QString& digits) {
  // At least one dollar digit and both cent digits.
  const QString padded = digits.rightJustified(3, u'0');
  const int n = int(padded.size());
  if (n > boxes) {
    PrintAtColumn(column, padded.left(n - 2) + u'.' + padded.right(2));
    return;
  }
  for (int i = 0; i < n; ++i) PrintAtColumn(column + 2 * (boxes - n + i), padded.mid(i, 1));
}

void TPrintReport::PrintCentsInBoxes(int column, int boxes, int32_t cents) {
  if (cents > 0) PrintDigitsInBoxes(column, boxes, QString::number(cents));
}

void TPrintReport::PrintBigCentsInBoxes(int column, int boxes, int64_t cents) {
  if (cents >= 0) PrintDigitsInBoxes(column, boxes, QString::number(cents));
}

void TPrintReport::PrintDollarsInBoxes(int column, int boxes, double dollars) {
  if (dollars > 0) PrintDigitsInBoxes(column, boxes, QString::number(dollars * 100, 'f', 0));
}

bool acceptOldStationery(const EmployerRecord& employer, Ui& ui) {
  const int year = employer.u16(EmployerRecord::S_Taxation_year);
  if (year <= 2000) return true;
  return ui.ask(QStringLiteral("This program prints onto the pre-printed T4 stationery of the 1998 "
                               "style, but this file is for the %1 tax year, whose forms are not "
                               "the same. Go on printing onto the 1998 stationery?")
                    .arg(year),
                QuestionKind::YesNo, {}, QuestionIcon::Warning) == Answer::Yes;
}

QString dateTimeStamp(const QDateTime& when) {
  return QLocale::c().toString(when, QStringLiteral("dd MMM yyyy 'at' h:mm ap"));
}

QString TPrintReport::DateTimeStamp() const { return dateTimeStamp(m_clock.now()); }

void tellPrintingStopped(Ui& ui, const QString& documentTitle) {
  ui.showMessage(
      QStringLiteral("Printing of %1 was stopped: none of it was printed.").arg(documentTitle));
}

BusyBox::BusyBox(Ui& ui, const QString& reportName) : m_ui(ui) { m_ui.showBusy(reportName); }

BusyBox::~BusyBox() { m_ui.hideBusy(); }

}  // namespace quillet
