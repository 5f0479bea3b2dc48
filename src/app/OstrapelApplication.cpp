#include "OstrapelApplication.h"

#include "core/OstrapelError.h"

namespace ostrapel {

bool OstrapelApplication::notify(QObject* receiver, QEvent* event) {
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        message = errorMessage(e);
    }
    if (showError) showError(message);
    return false;
}

} // namespace ostrapel
