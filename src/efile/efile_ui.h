// Quillet — the dialogs of CRA's XML return: the transmitter and the return's choices.
#pragma once

#include "core/ui.h"
#include "efile/t4_xml.h"

namespace quillet {

class EfileUi : public virtual Ui {
 public:
  // The transmitter of XML returns, each entry checked as it is left: false when the user
  // cancelled.
  virtual bool editTransmitter(Transmitter& transmitter) = 0;
  // The choices of an XML return (its submission reference, amended or not, the note, the
  // schema folder; the transmitter may be changed from there): false when cancelled.
  virtual bool editXmlExport(XmlExportChoices& choices) = 0;
};

}  // namespace quillet
