#include "CollectivityChooserDialog.h"

#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

CollectivityChooserDialog::CollectivityChooserDialog(std::vector<CollectivityItem> items, QWidget* parent)
    : QDialog(parent), cbColl(new QComboBox(this)), items_(std::move(items)) {
    setWindowTitle(QStringLiteral("Kies Collectiviteit"));
    auto* layout = new QVBoxLayout(this);
    cbColl->setEditable(false);
    for (size_t i = 0; i < items_.size(); ++i)
        cbColl->addItem(items_[i].caption(), int(i));
    layout->addWidget(cbColl);
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    setFixedSize(420, sizeHint().height());
}

CollectivityItem CollectivityChooserDialog::chosen() const {
    const int at = cbColl->currentData().toInt();
    if (at < 0 || at >= int(items_.size())) return {};
    CollectivityItem c = items_[size_t(at)];
    c.typeName.clear();
    return c;
}

} // namespace ostrapel
