#include "HelpWindow.h"

#include "ShellTexts.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace ostrapel {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(ShellTexts::HelpCaption);
    browser_->setObjectName(QStringLiteral("tbHelp"));
    // links to other sites stay unfollowed: this window only shows the help file
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 600);
}

void HelpWindow::showFile(const QString& path) {
    browser_->setSource(QUrl::fromLocalFile(path));
    if (!browser_->documentTitle().isEmpty()) setWindowTitle(browser_->documentTitle());
    show();
    raise();
    activateWindow();
}

} // namespace ostrapel
