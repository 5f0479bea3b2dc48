#include "OstrapelApplication.h"

#include "core/DatabaseError.h"
#include "core/RecordCatalogue.h"
#include "import/CheckPass.h"

namespace ostrapel {

bool OstrapelApplication::notify(QObject* receiver, QEvent* event) {
    QString message;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DatabaseError& e) {
        message = e.message();
    } catch (const ImportError& e) {
        message = e.message();
    } catch (const CatalogueError& e) {
        message = e.message();
    } catch (const std::exception& e) {
        message = QString::fromStdString(e.what());
    }
    if (showError) showError(message);
    return false;
}

} // namespace ostrapel
