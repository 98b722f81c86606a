// Quillet fuzzing — writes the small seed corpus of every target, from code:
// make-seeds OUT_FOLDER SAMPLE.T4E
#include <QDir>
#include <QFile>
#include <cstdio>

#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"

namespace {

void write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
}

// A length byte, then the text, at `offset`.
void putText(QByteArray& bytes, int offset, const QByteArray& text) {
  bytes[offset] = char(text.size());
  bytes.replace(offset + 1, text.size(), text);
}

QByteArray yearEndRecord(const QByteArray& surname, double income) {
  QByteArray record(quillet::YearEndRecord::Size, '\0');
  putText(record, 1, "046454286");
  putText(record, 24, surname);
  putText(record, 41, "Pat");
  putText(record, 539, "ONT");
  for (const auto& [k, dollars] : {std::pair{56, income},
                                   {59, income / 5},
                                   {60, 1000.0},
                                   {61, 500.0},
                                   {89, income},
                                   {90, income},
                                   {49, 120.0}}) {
    const auto real = quillet::encodeReal48(dollars);
    record.replace(185 + 6 * (k - 32), 6,
                   QByteArray(reinterpret_cast<const char*>(real.data()), 6));
  }
  return record;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(out.filePath("t4_file"));
  QDir().mkpath(out.filePath("payroll"));
  QDir().mkpath(out.filePath("amounts"));
  QDir().mkpath(out.filePath("csv"));

  QFile sample(QString::fromLocal8Bit(argv[2]));
  if (!sample.open(QIODevice::ReadOnly)) return 1;
  const QByteArray t4 = sample.readAll();
  write(out.filePath("t4_file/sample"), t4);
  write(out.filePath("t4_file/header_only"), t4.left(768));
  write(out.filePath("t4_file/partial_tail"), t4 + QByteArray(100, 'x'));

  QByteArray config(quillet::ConfigRecord::Size, '\0');
  putText(config, 1129, "(613) 555-1234");
  putText(config, 1144, "123456782RP0001");
  write(out.filePath("payroll/two_employees"),
        config + yearEndRecord("Adams", 30000) + yearEndRecord("Zimmer", 99999999));
  write(out.filePath("payroll/partial"), config + yearEndRecord("Brown", 12.5).left(300));

  int n = 0;
  for (const char* text : {"31250.00", "-1.5", "12,345.67", ".", "99999999.99", "1e5", " 7 "}) {
    write(out.filePath(QStringLiteral("amounts/%1").arg(++n)), text);
  }
  write(out.filePath("csv/rows"),
        "Employee_surname;Employee_first_name;Employee_address_line_1;Employee_city;"
        "Employee_province_code;Box 12;Box 10;Box 14;VOID;Report_type\n"
        "Adams;Peter;88 Front Street;Belleville;ON;192-837-466;ON;61000.00;0;amended\n"
        "\"Zed, \"\"Z\"\"\";Zoe;1 Elm;Ottawa;QC;193456787;QC;100;x;2\n");
  write(out.filePath("csv/bom_commas"),
        "\xEF\xBB\xBF"
        "Employee_surname,Employee_SIN,Employment_income,Other_info_code_1,Other_info_amount_1\n"
        "Smith,046454286,1e3,40 Other,-12.5\r\n");
  const auto real = quillet::encodeReal48(1186.5);
  write(out.filePath("amounts/real"), QByteArray(reinterpret_cast<const char*>(real.data()), 6));
  return 0;
}
