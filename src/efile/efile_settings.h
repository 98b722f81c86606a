// Quillet — the stored settings of XML returns: the transmitter, the submission reference
// counter and the schema folder.
#pragma once

#include <QString>
#include <functional>

#include "core/file_result.h"
#include "efile/transmitter.h"

namespace quillet {

class SettingsStore;

// The person who files XML returns (their keys under Transmitter).
Transmitter readTransmitter(const SettingsStore& store);
FileStatus writeTransmitter(const SettingsStore& store, const Transmitter& transmitter);

// The submission reference of the next return: "Q" and seven digits, one more for every
// return written; nothing is taken.
QString peekSubmissionRef(const SettingsStore& store);
// Takes the next reference for `write`, holding the counter locked until `write` returns,
// and moves the counter on only when it returns true: two returns written at once never
// take the same reference, and one that stops takes none. A reference for which `used` is
// true is passed over. Empty when `write` ran; otherwise why the counter could not be
// locked.
QString withNextSubmissionRef(const SettingsStore& store,
                              const std::function<bool(const QString&)>& write,
                              const std::function<bool(const QString&)>& used = {});

// The folder of CRA's unpacked schema package that returns are validated against; empty
// when none was chosen.
QString readSchemaFolder(const SettingsStore& store);
FileStatus writeSchemaFolder(const SettingsStore& store, const QString& folder);

}  // namespace quillet
