// Quillet tests — the slips and the Summary drawn on plain paper: every text inside its
// box for every tax year, the sheets of each copy, and one PDF per employee.

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QSet>

#include "checks/employer_checks.h"
#include "checks/tax_years.h"
#include "core/settings_store.h"
#include "golden.h"
#include "open_file_test.h"
#include "reports/mailing_labels.h"
#include "reports/plain_slips.h"
#include "reports/plain_summary.h"
#include "reports/print_settings.h"
#include "reports/t4_totals.h"
#include "reports/trace_surface.h"
#include "trace.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using T = T4Record;
using E = EmployerRecord;

// A trace printer that keeps every frame and where every text lands, measured as it is
// printed.
struct Geometry {
  struct Text {
    QRect rect;
    QString text;
  };
  QList<QRect> frames;
  QList<Text> texts;
  TraceSurface surface{
      {}, [this](const QString& line) {
        const QStringList f = line.split(u'\t');
        if (f.size() < 5) return;
        const QPoint at(f[1].toInt(), f[2].toInt());
        if (f[3] != u'#')
          texts.push_back(
              {QRect(at, QSize(surface.textWidth(f[4]), surface.textMetrics()->height)), f[4]});
        else if (f[4].startsWith(QStringLiteral("frame ")))
          frames.push_back(QRect(at, QSize(f[4].mid(6).section(u',', 0, 0).toInt() + 1,
                                           f[4].section(u',', 1).toInt() + 1)));
      }};

  // The texts that a frame cuts through, and those outside every frame but `free`.
  QStringList misplaced(const QSet<QString>& free) const {
    QStringList found;
    for (const Text& t : texts) {
      bool inside = false;
      for (const QRect& frame : frames) {
        if (frame.intersects(t.rect) && !frame.contains(t.rect)) found << "cut: " + t.text;
        inside |= frame.contains(t.rect);
      }
      if (!inside && !free.contains(t.text)) found << "outside: " + t.text;
    }
    return found;
  }
  bool shows(const QString& text) const {
    return std::any_of(texts.begin(), texts.end(), [&](const Text& t) { return t.text == text; });
  }
  // The numbered boxes' captions, in the order they are drawn.
  QString boxCaptions() const {
    static const QRegularExpression numbered(QStringLiteral("^\\d+[A-Z]?  "));
    QStringList found;
    for (const Text& t : texts) found << (t.text.contains(numbered) ? t.text : QString());
    found.removeAll(QString());
    return found.join(QStringLiteral(" | ")) + u'\n';
  }
};

// Every field as long as it can be: the widest letters, the longest amounts.
template <class R>
R longest(const R& start) {
  R r = start;
  for (const Field& f : R::layout()) {
    if (f.offset < 29) continue;  // the common prefix: the business number stays
    if (f.kind == FieldKind::Text) r.setText(f, QString(f.width, u'W'));
    if (f.kind == FieldKind::Cents) r.setInt32(f, std::numeric_limits<int32_t>::min());
    if (f.kind == FieldKind::Flag) r.setFlag(f, true);
    if (f.kind == FieldKind::Byte) r.setByte(f, 5);
  }
  return r;
}

// The texts outside any box: the headings of the slip and the Summary, a line each.
const QStringList HeadingLines =
    QString::fromUtf8(readWholeFile(fixturePath("plain_form_headings.txt")))
        .split(u'\n', Qt::SkipEmptyParts);
const QSet<QString> Headings(HeadingLines.begin(), HeadingLines.end());

// Every drawn caption in English has its French beside or under it.
QStringList withoutFrench(const Geometry& surface) {
  QStringList missing;
  for (qsizetype i = 0; i < surface.texts.size(); ++i) {
    const QString& text = surface.texts[i].text;
    const bool caption = surface.texts[i].rect.height() < 30;  // captions are the small type
    // The other line of a caption: small type at the same left, next in drawing order.
    const auto lineOfTheSameCaption = [&](qsizetype j) {
      return j >= 0 && j < surface.texts.size() &&
             surface.texts[j].rect.left() == surface.texts[i].rect.left() &&
             surface.texts[j].rect.height() < 30;
    };
    const bool paired = text.contains(QStringLiteral(" – ")) || lineOfTheSameCaption(i - 1) ||
                        lineOfTheSameCaption(i + 1);
    const bool drawnFromTheRecord = text.count(u'W') * 2 > text.size();  // `longest` fills
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3}"));
    if (caption && text.contains(word) && !paired && !drawnFromTheRecord &&
        !Headings.contains(text))
      missing << text;
  }
  return missing;
}

TEST(PlainSlip, everyTextOfEveryYearsLayoutStaysInsideItsBoxInBothLanguages) {
  QString captions;  // each year's boxes, recorded
  QList<int> years = {1999};
  for (const TaxYearRates& rates : taxYears()) years << rates.year;
  for (const int year : years) {
    SCOPED_TRACE(year);
    EmployerRecord employer = longest(goodEmployer());
    employer.setU16(E::S_Taxation_year, uint16_t(year));
    employer.setText(E::S_Employer_name_line_3, "Operating Name");
    const T4Record record = longest(goodT4("Smith", "John"));
    Geometry surface;
    FormCanvas canvas(surface.surface, 50, 50);
    drawSlip(canvas, {employer, record, SlipCopy::Cra});
    EXPECT_EQ(surface.misplaced(Headings), QStringList());
    EXPECT_EQ(surface.frames.size(), qsizetype(slipBoxes(year).size()));
    // Shrunk, never cut: the whole name, in capitals, and the longest amount are there.
    EXPECT_TRUE(surface.shows(QString(20, u'W') + ", " + QString(12, u'W') + " W"));
    EXPECT_TRUE(surface.shows("Operating Name"));
    EXPECT_TRUE(surface.shows("-21474836.48"));
    // Both languages: the headings, and every box's caption.
    for (const char* french : {"État de la rémunération payée", "Revenus d'emploi",
                               "Protected B when completed – Protégé B une fois rempli"})
      EXPECT_TRUE(surface.shows(QString::fromUtf8(french))) << french;
    EXPECT_EQ(withoutFrench(surface), QStringList());
    captions += QStringLiteral("%1: ").arg(year) + surface.boxCaptions();
  }
  expectGolden("plain_slip_boxes", captions);
  // A SIN as "123 456 789" however it was typed.
  Geometry surface;
  FormCanvas canvas(surface.surface, 50, 50);
  T4Record typed = goodT4("Smith", "John");
  typed.setText(T::Employee_SIN, "046-454286");
  drawSlip(canvas, {goodEmployer(), typed, SlipCopy::Employee});
  EXPECT_TRUE(surface.shows("046 454 286"));
  EXPECT_TRUE(surface.shows("SMITH, John"));
}

TEST(PlainSummary, everyTextStaysInsideItsBoxInBothLanguages) {
  QString captions;  // each year's lines, recorded: from 2001 CPP alone, no QPP or PPIP
  for (const int year : {2000, 2006, 2023, 2024}) {
    TotalsRun run;
    run.employer = longest(goodEmployer());
    run.employer.setU16(E::S_Taxation_year, uint16_t(year));
    run.employer.setText(E::S_Employer_name_line_3, "Operating Name");
    T4Totals& t = run.totals;
    t.count = std::numeric_limits<int32_t>::max();
    for (int64_t* total : {&t.employmentIncome, &t.employeeCpp, &t.employeeQpp, &t.employeeEi,
                           &t.rpp, &t.incomeTax, &t.pensionAdjustment, &t.employerCpp,
                           &t.employerEi, &t.employeeSecondCpp, &t.employerSecondCpp})
      *total = std::numeric_limits<int64_t>::max() / 16;
    Geometry surface;
    FormCanvas canvas(surface.surface, 100, 100);
    drawSummary(canvas, run, 1e15);
    EXPECT_EQ(surface.misplaced(Headings), QStringList()) << year;
    EXPECT_EQ(withoutFrench(surface), QStringList()) << year;
    EXPECT_TRUE(surface.shows("Operating Name")) << "the employer's whole name";
    captions += QStringLiteral("%1: ").arg(year) + surface.boxCaptions();
    // The whole Summary within a Letter sheet at the largest margins.
    QRect all;
    for (const QRect& frame : surface.frames) all |= frame;
    const int dpi = surface.surface.caps().pixelsPerInchX;
    EXPECT_LE(all.bottom(), (1100 - 25) * dpi / 100) << year;
    EXPECT_LE(all.right(), (850 - 25) * dpi / 100) << year;
  }
  expectGolden("plain_summary_boxes", captions);
}

class PlainSlipsRun : public OpenFileTest {
 protected:
  void openStaff() {
    EmployerRecord employer = goodEmployer();
    applyRates(employer, *ratesOf(2025));
    std::vector<T4Record> staff;
    for (const char* name : {"Smith", "Smith", "O'Brien/Ann", "Void", "Zed"}) {
      staff.push_back(goodT4(QString::fromUtf8(name), "John"));
      staff.back().copyPrefixFrom(employer);
      staff.back().setInt32(T::Employment_income, 100000);
    }
    staff.at(3).setFlag(T::VOID, true);
    openFile(t4FileBytes(employer, staff));
  }
};

// Plain paper's own set-up (the copy and the margins, nothing about stationery or line-up
// samples), then each copy on its sheets; Cancel prints nothing.
TEST_F(PlainSlipsRun, eachCopyOnItsSheets) {
  const struct {
    int formType;
    int pages;
    int businessNumbers;  // box 54
  } copies[] = {{EmployeeCopies, 4, 0}, {CompanyCopies, 2, 4}, {RevenueCanadaCopies, 2, 4}};
  openStaff();
  // The forms' margins kept, their line-up sample turned off.
  const SettingsStore settings(folder.path(""));
  WriteT4Margins(settings, {60, 40, DotMatrixForms, 5, 6, true, false, false});
  for (const auto& c : copies) {
    ScriptedUi run;
    run.expectPlainPaperSetUp([&c](PlainPaperSetUp& s) {
      EXPECT_FALSE(s.summary);
      s.formType = c.formType;
      return true;
    });
    EXPECT_EQ(printPlainSlips(state, run, &settings), PrintOutcome::Printed);
    EXPECT_EQ(ReadT4Margins(settings),
              (PrintSettings{60, 40, c.formType, 5, 6, false, false, false}));
    const QStringList job = run.printJobs().value(0);
    EXPECT_EQ(tracedPages(job), c.pages) << c.formType;
    EXPECT_EQ(job.filter("\t123456782RP0001").size(), c.businessNumbers) << c.formType;
    EXPECT_EQ(job.filter("VOID").size() + job.filter("Void, John").size(), 0);
  }
  ui.expectPlainPaperSetUp([](PlainPaperSetUp&) { return false; });
  EXPECT_EQ(printPlainSlips(state, ui, nullptr), PrintOutcome::NotStarted);
  EXPECT_TRUE(ui.printJobs().isEmpty());

  // Cancel in the progress window: the job dropped, the user told.
  ui.expectPlainPaperSetUp([](PlainPaperSetUp&) { return true; });
  ui.cancelProgressAt(3);
  EXPECT_EQ(printPlainSlips(state, ui, nullptr), PrintOutcome::Stopped);
  EXPECT_EQ(ui.printJobs().value(0).last(), "aborted");
  EXPECT_EQ(ui.messages().last(), "Printing of T4 Slips was stopped: none of it was printed.");
}

// The slips of a sheet at least a quarter inch inside every edge of Letter paper and
// centred across it, at the smallest and the largest top margin the set-up allows.
TEST_F(PlainSlipsRun, slipsStandWhereAPrinterPrints) {
  openStaff();
  EmployerRecord employer;
  readEmployerRecord(state, employer);
  for (const int top : {PlainPaperSetUp::MinMargin, PlainPaperSetUp::MaxMargin}) {
    Geometry surface;  // every sheet drawn over the first
    ASSERT_EQ(drawSlipRun(state, employer, SlipCopy::Cra, top, surface.surface, ui),
              PrintOutcome::Printed);
    QRect all;
    for (const QRect& frame : surface.frames) all |= frame;
    for (const auto& text : surface.texts) all |= text.rect;
    const int dpi = surface.surface.caps().pixelsPerInchX, quarter = dpi / 4, width = dpi * 17 / 2;
    EXPECT_GE(std::min(all.left(), all.top()), quarter) << top;
    EXPECT_LE(all.right(), width - quarter) << top;
    EXPECT_LE(all.bottom(), dpi * 11 - quarter) << top;
    EXPECT_NEAR(all.left(), width - 1 - all.right(), 2) << "centred across the sheet";
  }
}

// A slip CRA would reject is left out of CRA's copies and the employer's and printed on the
// employee's, told each time in the error report's words; from 2024 CRA's copies and the
// Summary of more than five slips first ask whether to file on paper (No prints nothing).
TEST_F(PlainSlipsRun, whatCraWouldRejectAndPaperFilingAboveFiveSlips) {
  QString all;  // each copy's outcome (0 printed, 1 not started, 2 stopped early), its sheets
  const auto print = [&](const char* file, int formType, std::optional<Answer> answer) {
    state.CloseT4File();
    openFile(fixtureFile(file));
    ScriptedUi run;
    run.expectPlainPaperSetUp([formType](PlainPaperSetUp& s) {
      s.formType = formType;
      return true;
    });
    if (answer) run.expectQuestion(*answer);
    const PrintOutcome outcome = printPlainSlips(state, run, nullptr);
    all += QStringLiteral("== %1, copy %2: outcome %3, %4 sheet(s)\n")
               .arg(QLatin1String(file))
               .arg(formType)
               .arg(int(outcome))
               .arg(tracedPages(run.printJobs().value(0))) +
           run.transcript();
  };
  for (const int formType : {EmployeeCopies, CompanyCopies, RevenueCanadaCopies})
    print("REJECTS.T4E", formType, std::nullopt);
  for (const Answer answer : {Answer::No, Answer::Yes})
    print("SIX.T4E", RevenueCanadaCopies, answer);
  ScriptedUi summary;
  // The Summary's margins as stored, a left one of 0 as well.
  const SettingsStore settings(folder.path(""));
  WriteSummaryMargins(settings, {60, 0, 0, 0, 0, false, false, false});
  // Shown other margins, the user cancels, and the question about paper is never asked.
  summary.expectPlainPaperSetUp([](PlainPaperSetUp& s) { return s.top == 60 && s.left == 0; });
  summary.expectQuestion(Answer::No);
  EXPECT_EQ(printPlainSummaries(totalT4File(state, summary), summary, &settings),
            PrintOutcome::NotStarted);
  EXPECT_TRUE(summary.printJobs().isEmpty());
  expectGolden("plain_paper_refusals", all + summary.transcript());
}

TEST_F(PlainSlipsRun, onePdfPerEmployeeNeverOverwrittenUnasked) {
  // Writing PDFs takes fonts, and so an application.
  static int argc = 1;
  static char name[] = "reports_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  openStaff();
  ui.expectFileChoice(folder.path({}));
  exportSlipPdfs(state, ui);
  const QStringList pdfs = {"2025-O_Brien_Ann-John.pdf", "2025-Smith-John-2.pdf",
                            "2025-Smith-John.pdf", "2025-Zed-John.pdf"};
  EXPECT_EQ(QDir(folder.path({})).entryList({"*.pdf"}), pdfs);
  QProcess reader;  // the last slip's words, where a reader of the PDF finds them
  reader.start("pdftotext", {"-bbox", folder.path(pdfs.last()), "-"});
  ASSERT_TRUE(reader.waitForFinished());
  expectGolden("slip_pdf_words", QString(reader.readAll()).remove(QRegularExpression("<meta.*")));

  // Again, in index order: the first is kept (No), the second replaced (Yes), and there it
  // stops (Cancel).
  ScriptedUi again;
  for (const Answer answer : {Answer::No, Answer::Yes, Answer::Cancel})
    again.expectQuestion(answer);
  const SlipPdfs done = writeSlipPdfs(state, folder.path({}), again);
  EXPECT_EQ(std::tuple(done.written, done.kept, done.outcome),
            std::tuple(1, 1, PrintOutcome::NotStarted));

  // Cancel in the progress window after two employees: two written, and said so.
  ASSERT_TRUE(QDir().mkpath(folder.path("other")));
  ScriptedUi stopped;
  stopped.expectFileChoice(folder.path("other"));
  stopped.cancelProgressAt(2);
  exportSlipPdfs(state, stopped);
  EXPECT_EQ(QDir(folder.path("other")).entryList({"*.pdf"}).size(), 2);

  // Another program cut the file short under the run: labels, plain slips and their PDFs stop
  // at the record that is gone (the last in the index) and say so.
  ASSERT_TRUE(QFile::resize(state.T4FileName(), 1536 + 4 * 768));
  ScriptedUi cut;
  cut.expectLabelStyle(1);
  EXPECT_EQ(printMailingLabels(state, cut, FilingDay), PrintOutcome::StoppedEarly);
  cut.expectPlainPaperSetUp([](PlainPaperSetUp&) { return true; });
  EXPECT_EQ(printPlainSlips(state, cut, nullptr), PrintOutcome::StoppedEarly);
  ASSERT_TRUE(QDir().mkpath(folder.path("cut")));
  cut.expectFileChoice(folder.path("cut"));
  exportSlipPdfs(state, cut);
  expectGolden("slip_pdfs",
               ui.transcript() + again.transcript() + stopped.transcript() + cut.transcript(),
               folder.path({}));
}

}  // namespace
