#pragma once

#include <QDialog>

class QLineEdit;

namespace ostrapel {

// Shows the connection string of the database connection in an editable field.
class ConnectionStringDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionStringDialog(const QString& connectionString, QWidget* parent = nullptr);
    QString connectionString() const;

private:
    QLineEdit* edit_;
};

} // namespace ostrapel
