#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// One column a grid shows, as BuildGridColumns plans it.
struct GridColumn {
    int fieldIndex = -1; // -1: the marker column
    QString fieldName;
    QString title;
    bool visible = true;
    int widthPixels = 0; // fixed width (the marker column)
    int widthChars = 0;  // width in digit widths (field 1002: 35)
    int fieldLength = 0; // the field's length in a statement line; 0 when not a catalogue field
    QStringList pickList;
};

} // namespace ostrapel
