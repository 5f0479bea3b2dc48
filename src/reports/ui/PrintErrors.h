#pragma once

#include "core/OstrapelError.h"

namespace ostrapel {

// Nothing to print: no file and no lines.
class NoTextToPrintError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// The printer failed: measuring, starting the job or drawing.
class PrintError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
