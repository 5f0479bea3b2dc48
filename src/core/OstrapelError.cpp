#include "OstrapelError.h"

namespace ostrapel {

QString errorMessage(const std::exception& e) {
    if (const auto* o = dynamic_cast<const OstrapelError*>(&e)) return o->message();
    return QString::fromStdString(e.what());
}

} // namespace ostrapel
