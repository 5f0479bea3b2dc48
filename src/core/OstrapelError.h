#pragma once

#include <QString>
#include <stdexcept>

namespace ostrapel {

// An error whose message is meant for the user and is shown as it is by the
// command that lets it escape.
class OstrapelError : public std::runtime_error {
public:
    explicit OstrapelError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// The user-facing message of any exception.
QString errorMessage(const std::exception& e);

} // namespace ostrapel
