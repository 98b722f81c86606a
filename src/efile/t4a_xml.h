// Quillet — the T4A return as CRA's XML for Internet File Transfer: a submission of its
// own, with the same T619 record as the T4 return.
#pragma once

#include "efile/t4_xml.h"

namespace quillet {

// Writes the T4A return of the open file to `out`: its slips (every T4A record that is not
// VOID, read one at a time, or those chosen since filing), then the T4A Summary, which
// totals them.
XmlWritten writeT4AXml(OpenT4FileState& state, const Transmitter& transmitter,
                       const XmlReturnOptions& options, QIODevice& out);

}  // namespace quillet
