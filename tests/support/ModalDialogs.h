#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace ostrapel::test {

// Answers the next modal dialog the way a user would: a zero-delay timer fires
// inside the dialog's own event loop and hands the dialog to `act`, which
// clicks, types and closes it. The test fails when no modal dialog opened
// before this object goes away, or when `act` left the dialog open.
class NextModal {
public:
    explicit NextModal(std::function<void(QWidget* dialog)> act) : act_(std::move(act)) { arm(); }
    NextModal(const NextModal&) = delete;
    NextModal& operator=(const NextModal&) = delete;
    ~NextModal() {
        if (!handled_) ADD_FAILURE() << "no modal dialog opened";
    }
    bool handled() const { return handled_; }

private:
    void arm() {
        QTimer::singleShot(0, &context_, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return arm(); // the dialog is not up yet
            handled_ = true;
            QPointer<QWidget> open = modal;
            act_(modal);
            if (open && open->isVisible()) { // never leave the test hanging in the dialog's loop
                ADD_FAILURE() << "the dialog was left open";
                if (auto* d = qobject_cast<QDialog*>(open.data()))
                    d->reject();
                else
                    open->close();
            }
        });
    }
    std::function<void(QWidget*)> act_;
    QObject context_; // pending timers end with this object
    bool handled_ = false;
};

// The button of a dialog's button box, or of a message box, by its role.
inline QAbstractButton* dialogButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        if (QAbstractButton* b = box->button(which)) return b;
    return nullptr;
}

// A child widget of the given type with the given text (buttons, radio buttons).
template <class Widget> Widget* childWithText(QWidget* parent, const QString& text) {
    for (Widget* w : parent->findChildren<Widget*>())
        if (w->text() == text) return w;
    return nullptr;
}

} // namespace ostrapel::test
