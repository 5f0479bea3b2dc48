#pragma once

#include "LinePrinter.h"

namespace ostrapel {

// The line printer the program uses: the report font at 8 points, margins of
// 1 cm left and top and 2 cm at the bottom.
class StandardMarginPrinter : public LinePrinter {
public:
    StandardMarginPrinter();
};

} // namespace ostrapel
