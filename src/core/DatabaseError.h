#pragma once

#include <QString>
#include <stdexcept>

namespace ostrapel {

// An error of the database layer. The message is meant for the user and is
// shown as is by the command that lets it escape.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace ostrapel
