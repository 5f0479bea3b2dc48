#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ostrapel {

// Shows the connection string of the database connection in an editable field.
// The password is never in it: one in use shows as dots that are not the
// password, and "Wachtwoord vervangen" lets the user type a new one.
class ConnectionStringDialog : public QDialog {
    Q_OBJECT
public:
    ConnectionStringDialog(const QString& connectionString, bool passwordInUse, QWidget* parent = nullptr);
    QString connectionString() const;
    // The password typed; empty: the one in use stays.
    QString newPassword() const;

private:
    void replacePassword();

    QLineEdit* edit_;
    QLineEdit* password_;
    QPushButton* replace_;
    bool passwordTyped_;
};

} // namespace ostrapel
