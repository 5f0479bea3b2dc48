#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ostrapel {

class RecordCatalogue;

// Writes statement lines in the layout of the record catalogue: text
// left-aligned, whole numbers zero-padded, amounts in hundredths with a sign,
// dates yyyy-mm-dd. Used by the sample generator and by tests.
class StatementWriter {
public:
    explicit StatementWriter(const RecordCatalogue& catalogue) : catalogue_(catalogue) {}

    // Fields by name ("ID01", "1002"); a string value is written as it is for
    // any type, so tests can write malformed fields.
    QString composeLine(const QString& recordType, const QHash<QString, QVariant>& values) const;

    // Writes lines ended by CR LF as Windows-1252.
    static bool writeFile(const QString& path, const QStringList& lines, QString* error = nullptr);

private:
    const RecordCatalogue& catalogue_;
};

} // namespace ostrapel
