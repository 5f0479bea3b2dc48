#pragma once

#include "core/Desktop.h"

namespace ostrapel {

// The program's desktop: QDesktopServices.
class QtDesktop : public Desktop {
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace ostrapel
