#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QSharedMemory;
class QSystemSemaphore;

namespace ostrapel {

// One running copy per executable path. The copies keep their process numbers
// in a shared block (maximum, count, up to 257 numbers) under a named lock; a
// second start asks the first copy, through a local socket, to come to the
// front, and ends. Numbers of copies that no longer run are dropped, so a
// crashed copy never blocks the next start.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceGuard(const QString& executablePath, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // True when this copy may run; false when it handed over to the running copy.
    bool checkSingleInstance(int maximum = 1);
    QString baseName() const { return base_; }
    // Registered process numbers, in order.
    QList<quint32> instances() const;
    // After a refused check: the running copy answered that it had the notification.
    bool handedOver() const { return handedOver_; }

signals:
    // Another copy registered (1) or left (2), with its process number.
    void notified(int kind, quint32 pid);

private:
    bool notifyInstances(int kind, quint32 pid, bool awaitAnswer = false);
    bool activateInstance(int index);
    void listen();

    QString base_;
    QString executable_;
    quint32 pid_;
    std::unique_ptr<QSystemSemaphore> lock_;
    std::unique_ptr<QSharedMemory> block_;
    std::unique_ptr<QLocalServer> server_;
    bool registered_ = false;
    bool handedOver_ = false;
};

} // namespace ostrapel
