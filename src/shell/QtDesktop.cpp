#include "QtDesktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace ostrapel {

bool QtDesktop::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace ostrapel
