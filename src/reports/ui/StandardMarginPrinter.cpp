#include "StandardMarginPrinter.h"

#include "ReportFont.h"

namespace ostrapel {

StandardMarginPrinter::StandardMarginPrinter() {
    font = reportFont();
    font.setPointSize(8);
    leftMargin = 1.0;
    topMargin = 1.0;
    bottomMargin = 2.0;
}

} // namespace ostrapel
