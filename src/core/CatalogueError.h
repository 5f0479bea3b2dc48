#pragma once

#include "OstrapelError.h"

namespace ostrapel {

// A field number the catalogue does not hold for a known kind.
class CatalogueError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
