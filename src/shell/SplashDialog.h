#pragma once

#include <QDialog>

class QLabel;

namespace ostrapel {

// The splash window during start-up, and the same window as the About dialog.
class SplashDialog : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Splash, About };
    explicit SplashDialog(Mode mode, QWidget* parent = nullptr);

    void setStatus(const QString& text);
    QLabel* infoLabel() const { return lblInfo; }
    QLabel* statusLabel() const { return lblSplashMessage; }

    // "%s %s [%s, Build: %s]": product, version, legal notice, file version.
    static QString infoText();

protected:
    // The splash stays on top of everything: it goes as soon as any other
    // window (a start-up question, the update scripts) shows, so that window
    // is seen and has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblInfo;
    QLabel* lblSplashMessage;
};

} // namespace ostrapel
