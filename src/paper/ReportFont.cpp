#include "ReportFont.h"

#include <QFontDatabase>

namespace ostrapel {

QFont reportFont() {
    for (const QString& family : {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")})
        if (QFontDatabase::hasFamily(family)) {
            QFont f(family);
            f.setStyleHint(QFont::TypeWriter);
            return f;
        }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace ostrapel
