#pragma once

#include <QObject>
#include <QTimer>

namespace ostrapel {

class CollectivityWindow;

// The keys of a collectivity window, typed in its search box: they move
// through the lists and panes, search, pick the sort field and show the
// details. While a scroll key is held the lists stop following after a pause
// and catch up when it is let go.
class CollectivityKeyRouter : public QObject {
    Q_OBJECT
public:
    explicit CollectivityKeyRouter(CollectivityWindow& window);

    // How long a held scroll key moves before the lists stop following (700 ms).
    void setPauseInterval(int ms) { pause_.setInterval(ms); }
    // Runs the key's command; false for a key left to the search box.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CollectivityWindow& window_;
    QTimer pause_;
};

} // namespace ostrapel
