#pragma once

#include "ImportStruct.h"

#include <stdexcept>

namespace ostrapel {

class ImportView;
class TmyMemLists;

// A statement value that the check pass must read and cannot: it ends the run.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Reads a statement file once and summarises it against its control record.
// A file without a collectivity record gives a summary marked as such.
TmyImportStruct CheckStatementFile(const TmyMemLists& catalogue, ImportView& view, const QString& path,
                                   int databaseVersion);

} // namespace ostrapel
