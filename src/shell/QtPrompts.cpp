#include "QtPrompts.h"

#include "ConnectionStringDialog.h"

#include "core/SaveFileName.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ostrapel {

namespace {

QString titleFor(MsgType type) {
    switch (type) {
    case MsgType::Warning:
        return QStringLiteral("Waarschuwing");
    case MsgType::Error:
        return QStringLiteral("Fout");
    case MsgType::Information:
        return QStringLiteral("Informatie");
    case MsgType::Confirmation:
        return QStringLiteral("Bevestigen");
    }
    return {};
}

QMessageBox::Icon iconFor(MsgType type) {
    switch (type) {
    case MsgType::Warning:
        return QMessageBox::Warning;
    case MsgType::Error:
        return QMessageBox::Critical;
    case MsgType::Information:
        return QMessageBox::Information;
    case MsgType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* QtPrompts::owner() const {
    // A box belongs on top of the dialog the user is in (a report viewer, say),
    // not on the window that dialog covers.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_ ? parent_ : QApplication::activeWindow();
}

MsgButton QtPrompts::message(MsgType type, const QString& text, MsgButtons buttons) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.remove(u'\r');
    QMessageBox box(iconFor(type), titleFor(type), shown, QMessageBox::NoButton, owner());
    struct Choice {
        MsgButton button;
        QMessageBox::StandardButton standard;
        const char* text;
    } choices[] = {{MsgButton::Yes, QMessageBox::Yes, "&Ja"},
                   {MsgButton::No, QMessageBox::No, "&Nee"},
                   {MsgButton::Ok, QMessageBox::Ok, "OK"},
                   {MsgButton::Cancel, QMessageBox::Cancel, "Annuleren"},
                   {MsgButton::Abort, QMessageBox::Abort, "&Afbreken"}};
    for (const Choice& c : choices)
        if (buttons.testFlag(c.button)) box.addButton(c.standard)->setText(QString::fromUtf8(c.text));
    if (buttons == MsgButtons(MsgButton::None)) box.addButton(QMessageBox::Ok);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
        if (clicked == c.standard) return c.button;
    // closed without a button: the refusing answer
    if (buttons.testFlag(MsgButton::No)) return MsgButton::No;
    if (buttons.testFlag(MsgButton::Abort)) return MsgButton::Abort;
    return MsgButton::Cancel;
}

std::optional<ConnectionEdit> QtPrompts::editConnectionString(const QString& current, bool passwordInUse) {
    ConnectionStringDialog dialog(current, passwordInUse, owner());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ConnectionEdit{dialog.connectionString(), dialog.newPassword()};
}

QString QtPrompts::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return out.join(QStringLiteral(";;"));
}

QStringList QtPrompts::openFileNames(const QString& caption, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileNames(owner(), caption.isEmpty() ? QStringLiteral("Openen") : caption,
                                         folder, QtFilter(filter), nullptr, QFileDialog::ReadOnly);
}

QString QtPrompts::saveFileName(const QString& caption, const QString& fileName, const QString& filter) {
    QFileDialog dialog(owner(), caption.isEmpty() ? QStringLiteral("Opslaan als") : caption, fileName,
                       QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList entries = QtFilter(filter).split(QStringLiteral(";;"));
    // A name typed without extension gets the chosen entry's, also before the
    // dialog asks whether to overwrite.
    const auto useSuffix = [&](const QString& entry) {
        dialog.setDefaultSuffix(defaultExtension(filter, int(entries.indexOf(entry))));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffix);
    useSuffix(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted) return {};
    return completeSaveName(dialog.selectedFiles().value(0), filter,
                            int(entries.indexOf(dialog.selectedNameFilter())));
}

} // namespace ostrapel
