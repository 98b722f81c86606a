// Quillet — what the T4 and the T4A returns share in CRA's XML: the submission around
// them, the T619 transmittal record, addresses, the employer's or payer's name and contact.
#pragma once

#include <QString>
#include <QXmlStreamWriter>

#include "efile/return_values.h"
#include "efile/transmitter.h"

namespace quillet {

class ReturnXml {
 public:
  explicit ReturnXml(QIODevice& out);

  // Opens the submission, writes its T619 record, and opens its return of `returnElement`
  // ("T4" or "T4A").
  void begin(const Transmitter& transmitter, const QString& submissionRef,
             const char* returnElement);
  // Closes the return and the submission; false when the device failed.
  bool end();

  // An element left out when its value is blank.
  void optional(const char* element, const QString& value);
  // An address group, left out when it would be empty.
  void address(const char* element, const cra::Address& address);
  // What a Summary begins with: the business number, the employer's (or payer's) name lines
  // in `nameElement`, its address in `addressElement`, its contact, the tax year, the number
  // of slips, the proprietors, the report type and the amendment note.
  void summaryHead(const EmployerRecord& employer, const QString& bn, int slips, bool amended,
                   const QString& note, const char* nameElement, const char* addressElement);

  QXmlStreamWriter w;
};

}  // namespace quillet
