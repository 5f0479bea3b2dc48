#pragma once

#include "core/OstrapelError.h"

namespace ostrapel {

// A failure of compact, repair or backup; the kind tells callers which step failed.
class MaintenanceError : public OstrapelError {
public:
    enum class Kind {
        Rename,          // the database could not be moved to its backup name
        Backup,          // the database could not be copied to its backup name
        CompactAndRepair // the engine failed to write the compacted copy
    };
    MaintenanceError(Kind kind, const QString& message) : OstrapelError(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace ostrapel
