#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

// One field of a statement record, from a RecStruct row.
struct RecordField {
    QString name; // kind + field number: "ID05", "1002"
    qint16 start = 0;
    qint16 end = 0;
    qint16 length = 0;
    QChar type;
    QString caption;
    QString description;
    std::optional<QStringList> pickList; // items "code=text"
    bool visibleByDefault = false;
    bool offered = false;
    bool alwaysShown = false;
};

} // namespace ostrapel
