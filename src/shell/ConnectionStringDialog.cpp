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
    auto* examples = new QLabel(
        QStringLiteral("Voorbeelden:\n"
                       "Provider=SQLite;Data Source=/pad/naar/db/borderel.db\n"
                       "Provider=PostgreSQL;Host=server;Port=5432;Database=ostrapel;User ID=gebruiker;"
                       "Password=wachtwoord\n"
                       "Zonder Password neemt PostgreSQL het wachtwoord uit ~/.pgpass."),
        this);
    examples->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(examples);
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

QString ConnectionStringDialog::connectionString() const {
    return edit_->text().trimmed();
}

} // namespace ostrapel
