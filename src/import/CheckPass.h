#pragma once

#include "StatementSummary.h"

#include "core/OstrapelError.h"

namespace ostrapel {

class ImportView;
class RecordCatalogue;

// A statement value that the check pass must read and cannot: it ends the run.
class ImportError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// Reads a statement file once and summarises it against its control record.
// A file without a collectivity record gives a summary marked as such.
StatementSummary checkStatementFile(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                    int databaseVersion);

} // namespace ostrapel
