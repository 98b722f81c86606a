// Quillet — a written return against CRA's own schema (libxml2).
#include "efile/schema_check.h"

#include <libxml/xmlschemas.h>

#include <QDir>
#include <memory>

#include "platform/file_names.h"

namespace quillet {
namespace {

void collect(void* messages, xmlError* error) {  // libxml2 2.9 passes no const
  if (!error || !error->message) return;
  static_cast<QStringList*>(messages)->append(
      QStringLiteral("line %1: %2")
          .arg(error->line)
          .arg(QString::fromUtf8(error->message).trimmed()));
}

}  // namespace

QStringList schemaProblems(const QByteArray& xmlFile, const QString& schemaFolder) {
  QStringList messages;
  const QByteArray schemaFile =
      platform::encodeFileName(QDir(schemaFolder).filePath(QStringLiteral("T619_T4.xsd")));
  const std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
      xmlSchemaNewParserCtxt(schemaFile.constData()), xmlSchemaFreeParserCtxt);
  if (!parser) return {QStringLiteral("Cannot read the schema %1").arg(QString(schemaFile))};
  xmlSchemaSetParserStructuredErrors(parser.get(), collect, &messages);
  const std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema(xmlSchemaParse(parser.get()),
                                                                    xmlSchemaFree);
  if (!schema) {
    messages.prepend(QStringLiteral("Cannot read the schema %1").arg(QString(schemaFile)));
    return messages;
  }
  const std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> validator(
      xmlSchemaNewValidCtxt(schema.get()), xmlSchemaFreeValidCtxt);
  xmlSchemaSetValidStructuredErrors(validator.get(), collect, &messages);
  if (xmlSchemaValidateFile(validator.get(), xmlFile.constData(), 0) != 0 && messages.isEmpty())
    messages << QStringLiteral("The return does not follow the schema");
  return messages;
}

}  // namespace quillet
