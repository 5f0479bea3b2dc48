#pragma once

#include "OstrapelError.h"

namespace ostrapel {

// A settings file that could not be written.
class SettingsError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
