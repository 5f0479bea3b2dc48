#pragma once

#include <QApplication>
#include <functional>

namespace ostrapel {

// An error that a command lets escape is shown in an error box and the program goes on.
class OstrapelApplication : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void(const QString&)> showError;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ostrapel
