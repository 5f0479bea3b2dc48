#pragma once

#include "core/Prompts.h"

class QWidget;

namespace ostrapel {

// The program's message boxes and file dialogs, with Dutch buttons.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override;
    std::optional<ConnectionEdit> editConnectionString(const QString& current, bool passwordInUse) override;
    QStringList openFileNames(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& fileName, const QString& filter) override;

    // "Borderel zip file|00*-??.zip;00*-??S.zip" as Qt writes a filter.
    static QString QtFilter(const QString& filter);

    // The window a box or file dialog belongs to: the modal dialog the user is
    // in (a report viewer, say), else the program's window.
    QWidget* owner() const;

private:
    QWidget* parent_;
};

} // namespace ostrapel
