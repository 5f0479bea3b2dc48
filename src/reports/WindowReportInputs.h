#pragma once

#include "ReportInputs.h"

namespace ostrapel {

class StatementState;

// What the collectivity window hands to a standard report of `kind`; `month`
// is the invoice month chosen under "Te incasseren bedragen" or "Correctiepremies".
ReportInputs windowReportInputs(ReportKind kind, const StatementState& window, const QString& month = {});

// What the collectivity window hands to the export: its fragments without the
// filter, which the export does not apply.
ReportInputs windowExportInputs(const StatementState& window);

} // namespace ostrapel
