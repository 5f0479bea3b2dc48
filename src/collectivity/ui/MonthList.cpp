#include "MonthList.h"

#include <QComboBox>

namespace ostrapel {

QComboBox* monthList(const QStringList& months, const QString& selected, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->addItems(months);
    c->setCurrentIndex(selected.isEmpty() ? -1 : int(months.indexOf(selected)));
    return c;
}

} // namespace ostrapel
