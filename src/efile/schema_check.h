// Quillet — a written return against CRA's own schema, when the user has it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quillet {

// Validates the XML file `xmlFile` (a name as the system holds it) against
// `schemaFolder`/T619_T4.xsd, the entry point of CRA's unzipped schema package. The
// schema's messages, one a line; empty when the file is valid. A schema that cannot be
// read is one message too.
QStringList schemaProblems(const QByteArray& xmlFile, const QString& schemaFolder);

}  // namespace quillet
