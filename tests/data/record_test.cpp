// Quillet tests — the record layouts and their field encodings.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/cp1252.h"
#include "data/employer_record.h"
#include "data/t4_record.h"
#include "data/t4a_record.h"
#include "golden.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct LayoutCase {
  const char* name;
  std::span<const Field> layout;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

// A typo in an offset shows up as two fields sharing bytes or one running off the end.
TEST_P(LayoutTest, fieldsDoNotOverlapAndFitTheRecord) {
  std::vector<Field> fields(GetParam().layout.begin(), GetParam().layout.end());
  std::sort(fields.begin(), fields.end(), [](auto& a, auto& b) { return a.offset < b.offset; });
  for (std::size_t i = 1; i < fields.size(); ++i)
    EXPECT_LE(fields[i - 1].offset + fields[i - 1].size(), fields[i].offset)
        << fields[i - 1].name << " runs into " << fields[i].name;
  EXPECT_LE(fields.back().offset + fields.back().size(), Record768::Size);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutTest,
    ::testing::Values(LayoutCase{"header", HeaderRecord::layout()},
                      LayoutCase{"t4a_header", HeaderRecord::layout(SlipKind::T4A)},
                      LayoutCase{"employer", EmployerRecord::layout()},
                      LayoutCase{"t4", T4Record::layout()}, LayoutCase{"t4a", T4ARecord::layout()}),
    [](const auto& param) { return std::string(param.param.name); });

// Integers are little-endian at odd offsets; an amount after a code leaves the next code
// alone.
TEST(RecordFields, integersAreLittleEndianAtOddOffsets) {
  const auto bytesAt = [](const Record768& r, int offset, int size) {
    return QByteArray(reinterpret_cast<const char*>(&r.bytes()[std::size_t(offset)]), size);
  };
  T4Record r;
  r.setInt32(T4Record::Employee_CPP, 123456);
  r.setInt32(T4Record::EI_insurable_earnings, -5);
  EXPECT_EQ(bytesAt(r, 41, 8), QByteArray("\x40\xE2\x01\x00\xFB\xFF\xFF\xFF", 8));
  EXPECT_EQ(r.int32(T4Record::Employee_CPP), 123456);
  EXPECT_EQ(r.int32(T4Record::EI_insurable_earnings), -5);
  EmployerRecord e;
  e.setU16(EmployerRecord::S_Taxation_year, 1999);
  EXPECT_EQ(bytesAt(e, 295, 2), "\xCF\x07");
  r.setText(T4Record::Other_info_code_2, QStringLiteral("31 Special Work Site"));
  r.setInt32(T4Record::Other_info_amount_1, -1);
  EXPECT_EQ(bytesAt(r, 359, 5), QByteArray("\xFF\xFF\xFF\xFF\x14", 5));
  EXPECT_EQ(r.text(T4Record::Other_info_code_2), QStringLiteral("31 Special Work Site"));
}

TEST(RecordFields, textIsCutToItsWidthAndKeepsTheBytesAfterIt) {
  T4Record r;
  r.setText(T4Record::Employee_surname, QStringLiteral("Abcdefghijklmnopqrstuvwxy"));
  EXPECT_EQ(r.bytes()[140], 20);
  EXPECT_EQ(r.text(T4Record::Employee_surname), QStringLiteral("Abcdefghijklmnopqrst"));
  EXPECT_EQ(r.bytes()[161], 0) << "the next field's length byte is untouched";

  r.setText(T4Record::Employee_surname, QStringLiteral("Li"));
  EXPECT_EQ(r.text(T4Record::Employee_surname), QStringLiteral("Li"));
  EXPECT_EQ(r.bytes()[143], 'c') << "bytes after the new text keep what they held";

  r.setText(T4Record::Employee_surname, QString());
  EXPECT_EQ(r.bytes()[140], 0);
  EXPECT_TRUE(r.isEmpty(T4Record::Employee_surname));
}

// Windows-1252 both ways, recorded: each row bytes in hex, or after "text" characters (a CJK
// character and an emoji: one "?" each); its outcome the characters read and the bytes written.
TEST(Cp1252, decodesAndEncodesTheCodePage) {
  expectRecordedTable("cp1252", [](const QString& row) {
    const QByteArray hex = QByteArray::fromHex(row.section(u' ', 0, 0).toLatin1());
    const auto* bytes = reinterpret_cast<const uint8_t*>(hex.constData());
    const QString text =
        row.startsWith(u"text ") ? row.mid(5) : decodeCp1252({bytes, std::size_t(hex.size())});
    return codeUnits(text) + "-> " + encodeCp1252(text).toHex(' ') + u'\n';
  });
}

}  // namespace
