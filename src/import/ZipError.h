#pragma once

#include "core/OstrapelError.h"

namespace ostrapel {

// An archive that cannot be read or written; the message is the zip library's.
class ZipError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
