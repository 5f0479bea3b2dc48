#include "QtProgramHost.h"

#include "core/Paths.h"

#include <QCoreApplication>

namespace ostrapel {

bool QtProgramHost::onNetworkFileSystem() {
    return isOnNetworkFileSystem(executableDir());
}

void QtProgramHost::endProgram(int code) {
    QCoreApplication::exit(code);
}

} // namespace ostrapel
