#pragma once

#include <QWidget>

class QTextBrowser;

namespace ostrapel {

// The help file in a window of the program's own, for a desktop without a
// program that opens it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showFile(const QString& path);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace ostrapel
