#include "ConnectionStringDialog.h"

#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

namespace {

// Stands for a password in use; never the password, nor its length.
const QString kPasswordDots = QString(8, QChar(0x25CF));

} // namespace

ConnectionStringDialog::ConnectionStringDialog(const QString& connectionString, bool passwordInUse,
                                               QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(connectionString, this)), password_(new QLineEdit(this)),
      replace_(new QPushButton(QStringLiteral("Wachtwoord &vervangen"), this)),
      passwordTyped_(!passwordInUse) {
    setWindowTitle(QStringLiteral("Connectie-string"));
    edit_->setObjectName(QStringLiteral("edtConnectieString"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Connectie-string van de database:"), this);
    label->setBuddy(edit_);
    layout->addWidget(label);
    layout->addWidget(edit_);

    auto* passwordLabel = new QLabel(QStringLiteral("&Wachtwoord:"), this);
    passwordLabel->setBuddy(password_);
    password_->setObjectName(QStringLiteral("edtWachtwoord"));
    password_->setEchoMode(QLineEdit::Password);
    replace_->setObjectName(QStringLiteral("btnWachtwoordVervangen"));
    if (passwordInUse) {
        password_->setPlaceholderText(kPasswordDots);
        password_->setReadOnly(true);
        password_->setToolTip(QStringLiteral("Er is een wachtwoord bewaard; het wordt niet getoond."));
        connect(replace_, &QPushButton::clicked, this, &ConnectionStringDialog::replacePassword);
    } else {
        replace_->hide();
    }
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(passwordLabel);
    passwordRow->addWidget(password_, 1);
    passwordRow->addWidget(replace_);
    layout->addLayout(passwordRow);

    auto* examples = new QLabel(
        QStringLiteral("Voorbeelden:\n"
                       "Provider=SQLite;Data Source=/pad/naar/db/borderel.db\n"
                       "Provider=PostgreSQL;Host=server;Port=5432;Database=ostrapel;User ID=gebruiker\n"
                       "Het wachtwoord komt niet in de instellingen: Ostrapel bewaart het in de "
                       "wachtwoordkluis van het bureaublad,\nof, waar die er niet is, in ~/.pgpass."),
        this);
    examples->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(examples);
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

void ConnectionStringDialog::replacePassword() {
    passwordTyped_ = true;
    password_->setPlaceholderText(QString());
    password_->setToolTip(QString());
    password_->setReadOnly(false);
    replace_->setEnabled(false);
    password_->setFocus();
}

QString ConnectionStringDialog::connectionString() const {
    return edit_->text().trimmed();
}

QString ConnectionStringDialog::newPassword() const {
    return passwordTyped_ ? password_->text() : QString();
}

} // namespace ostrapel
