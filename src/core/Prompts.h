#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

enum class MsgType { Information, Warning, Error, Confirmation };

// What the connection-string editor gives back: the string, and a password
// typed to replace the one in use (empty: keep that one).
struct ConnectionEdit {
    QString connectionString;
    QString newPassword;
};

enum class MsgButton { None = 0, Ok = 1, Yes = 2, No = 4, Cancel = 8, Abort = 16 };
Q_DECLARE_FLAGS(MsgButtons, MsgButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MsgButtons)

// Every message box, question and file dialog of the program goes through this
// facade, so that tests can answer them without a window.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual MsgButton message(MsgType type, const QString& text, MsgButtons buttons) = 0;
    // The connection-string editor, given the string without its password and
    // whether a password is in use (never the password); nullopt when cancelled.
    virtual std::optional<ConnectionEdit> editConnectionString(const QString& current,
                                                               bool passwordInUse) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QStringList openFileNames(const QString& caption, const QString& folder,
                                      const QString& filter) = 0;
    // A name typed without extension comes back with the chosen filter entry's
    // (completeSaveName).
    virtual QString saveFileName(const QString& caption, const QString& fileName, const QString& filter) = 0;

    void inform(const QString& text) { message(MsgType::Information, text, MsgButton::Ok); }
    void warn(const QString& text) { message(MsgType::Warning, text, MsgButton::Ok); }
    void error(const QString& text) { message(MsgType::Error, text, MsgButton::Ok); }
    bool askYesNo(MsgType type, const QString& text) {
        return message(type, text, MsgButton::Yes | MsgButton::No) == MsgButton::Yes;
    }
};

} // namespace ostrapel
