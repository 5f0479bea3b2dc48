#include "ConnectionStringDialog.h"

#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

ConnectionStringDialog::ConnectionStringDialog(const QString& connectionString, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(connectionString, this)) {
    setWindowTitle(QStringLiteral("Connectie-string"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Connectie-string van de database:"), this);
    label->setBuddy(edit_);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(
        new QLabel(QStringLiteral("Voorbeeld: Provider=SQLite;Data Source=/pad/naar/db/borderel.db"), this));
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

QString ConnectionStringDialog::connectionString() const {
    return edit_->text().trimmed();
}

} // namespace ostrapel
