#pragma once

#include "core/OstrapelError.h"

namespace ostrapel {

// An archive that cannot be read or written, with the reason in Dutch.
class ZipError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
