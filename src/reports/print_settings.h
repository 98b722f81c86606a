// Quillet — the stored margins and options of the T4 forms and the T4 Summary.
#pragma once

#include <cstdint>

#include "core/file_result.h"

namespace quillet {

class SettingsStore;

// The in-memory form of one margins key; all zero when nothing is stored.
struct PrintSettings {
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t T4Type = 0;
  int32_t IExtra1 = 0;
  int32_t IExtra2 = 0;
  bool LineUp = false;
  bool BExtra1 = false;
  bool BExtra2 = false;

  bool operator==(const PrintSettings&) const = default;
};

PrintSettings ReadT4Margins(const SettingsStore& store);
FileStatus WriteT4Margins(const SettingsStore& store, const PrintSettings& settings);
PrintSettings ReadSummaryMargins(const SettingsStore& store);
FileStatus WriteSummaryMargins(const SettingsStore& store, const PrintSettings& settings);

}  // namespace quillet
