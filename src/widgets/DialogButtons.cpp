#include "DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace ostrapel {

QDialogButtonBox* okCancelButtons(QDialog* dialog, Qt::Orientation orientation) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, orientation, dialog);
    b->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    QObject::connect(b, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return b;
}

} // namespace ostrapel
