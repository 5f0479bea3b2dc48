#pragma once

#include <QStringList>

class QComboBox;
class QWidget;

namespace ostrapel {

// A drop-down list of invoice months with `selected` chosen; none when empty.
QComboBox* monthList(const QStringList& months, const QString& selected, QWidget* parent);

} // namespace ostrapel
