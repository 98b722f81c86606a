// Quillet tests — payroll year-end records and configurations built by the tests.
#include "payroll_files.h"

#include <algorithm>

#include "payroll_import/payroll_records.h"
#include "payroll_import/real48.h"
#include "scripted_ui.h"

namespace quillet::test {

QByteArray yearEnd(const QString& line) {
  using Y = YearEndRecord;
  static constexpr Field named[] = {Y::Sin,
                                    Y::EmployeeNumber,
                                    Y::Surname,
                                    Y::FirstName,
                                    Y::Street,
                                    Y::Town,
                                    Y::Province,
                                    Y::PostCode,
                                    Y::Phone,
                                    Y::PensionRegistration,
                                    Y::ProvinceOfEmployment,
                                    Y::CppExempt,
                                    Y::EiExempt};
  QByteArray bytes(Y::Size, '\0');
  const std::span<uint8_t> record(reinterpret_cast<uint8_t*>(bytes.data()), Y::Size);
  qsizetype cut = bytes.size();
  for (const QString& one : line.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    const QString name = one.section(u'=', 0, 0).trimmed(), value = one.section(u'=', 1).trimmed();
    bool isAmount = false;
    const int k = name.toInt(&isAmount);
    const auto field =
        std::ranges::find_if(named, [&name](const Field& f) { return name == fieldName(f); });
    if (name == QStringLiteral("cut")) {
      cut = value.toInt();
    } else if (isAmount && k >= Y::FirstAmount && k <= Y::LastAmount) {
      const auto real = encodeReal48(value.toDouble());
      std::copy(real.begin(), real.end(), record.begin() + 185 + 6 * (k - Y::FirstAmount));
    } else if (field == std::end(named)) {
      reportTestFailure("no year-end field " + name);
    } else if (field->kind == FieldKind::Text) {
      fields::setText(record, *field, value);
    } else {
      fields::setByte(record, *field, uint8_t(value.toInt()));
    }
  }
  return bytes.left(cut);
}

ConfigRecord configRecord(double eiMultiplier, const QString& phone) {
  ConfigRecord config;
  config.setText(ConfigRecord::CompanyName, "Lakeside Payroll Company of Eastern Ontario");
  config.setText(ConfigRecord::Street, "77 Water Street");
  config.setText(ConfigRecord::City, "Brockville");
  config.setText(ConfigRecord::Province, "ON");
  config.setText(ConfigRecord::PostCode, "K6V 1A1");
  config.setText(ConfigRecord::Phone, phone);
  config.setText(ConfigRecord::BusinessNumberA, "123456782RP0001");
  config.setText(ConfigRecord::DataDrive, "C:");
  config.setText(ConfigRecord::DataPath, "\\DATA\\CO1\\");
  const auto multiplier = encodeReal48(eiMultiplier);
  std::copy(multiplier.begin(), multiplier.end(),
            config.bytes().begin() + ConfigRecord::EiMultiplierOffset);
  return config;
}

QByteArray configBytes(double eiMultiplier, const QString& phone) {
  return bytesOf(configRecord(eiMultiplier, phone));
}

QByteArray bytesOf(const ConfigRecord& config) {
  return QByteArray(reinterpret_cast<const char*>(config.bytes().data()), ConfigRecord::Size);
}

}  // namespace quillet::test
