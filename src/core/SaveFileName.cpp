#include "SaveFileName.h"

#include <QFileInfo>
#include <QStringList>

namespace ostrapel {

QString filterExtension(const QString& filter, int index) {
    const QStringList parts = filter.split(u'|');
    if (index < 0 || 2 * index + 1 >= parts.size()) return {};
    const QString pattern = parts[2 * index + 1].section(u';', 0, 0).trimmed();
    const QString extension = pattern.section(u'.', -1);
    if (!pattern.contains(u'.') || extension.isEmpty() || extension.contains(u'*') ||
        extension.contains(u'?'))
        return {};
    return extension;
}

QString defaultExtension(const QString& filter, int chosen) {
    const QString extension = filterExtension(filter, chosen);
    return extension.isEmpty() ? filterExtension(filter, 0) : extension;
}

QString completeSaveName(const QString& name, const QString& filter, int chosen) {
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
    const QString extension = defaultExtension(filter, chosen);
    if (extension.isEmpty()) return name;
    QString base = name;
    while (base.endsWith(u'.'))
        base.chop(1);
    return base + u'.' + extension;
}

} // namespace ostrapel
