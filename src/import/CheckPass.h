#pragma once

#include "StatementSummary.h"

#include "core/OstrapelError.h"

#include <QByteArrayView>

namespace ostrapel {

class ImportView;
class RecordCatalogue;

namespace CheckTexts {
inline const QString NoControlRecord = QStringLiteral("geen controlerecord");
inline const QString ControlBeforeCollectivity =
    QStringLiteral("controlerecord v\u00f3\u00f3r het collectiviteitsrecord (regel %1)");
inline const QString LinesBeforeCollectivity =
    QStringLiteral("regels v\u00f3\u00f3r het collectiviteitsrecord (regel %1)");
inline const QString LinesAfterControl = QStringLiteral("regels na het controlerecord (regel %1)");
inline const QString ControlKeyDiffers = QStringLiteral("controlerecord van een ander borderel (regel %1)");
inline const QString UnknownRecordType = QStringLiteral("onbekend recordtype \"%1\" (regel %2)");
// an amount the import cannot store (too large for 32 bits, or with a decimal point)
inline const QString AmountUnreadable = QStringLiteral("ongeldig bedrag in veld %1 (regel %2)");
} // namespace CheckTexts

// A statement value that the check pass must read and cannot: it ends the run.
class ImportError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// Reads a statement file once and summarises it against its control record.
// A file without a collectivity record gives a summary marked as such.
StatementSummary checkStatementFile(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                    int databaseVersion);
// The same on the file's bytes, as readStatementBytes gives them.
StatementSummary checkStatementBytes(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                     QByteArrayView bytes, int databaseVersion);

} // namespace ostrapel
