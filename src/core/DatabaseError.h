#pragma once

#include "OstrapelError.h"

namespace ostrapel {

// An error of the database layer.
class DatabaseError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
