#include "SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <cstring>
#include <signal.h>
#include <unistd.h>

namespace ostrapel {

namespace {

constexpr int kBlockSize = 1032;
constexpr int kMaxInstances = 257;

struct Block {
    quint16 maximum;
    quint16 count;
    quint32 pids[kMaxInstances];
};
static_assert(sizeof(Block) <= kBlockSize);

// A registered copy still runs: the process exists, is no zombie, and runs the
// same executable (a process number can be reused by another program).
bool alive(quint32 pid, const QString& executable) {
    if (pid == 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM)) return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        if (close > 0 && close + 2 < text.size() && (text[close + 2] == 'Z' || text[close + 2] == 'X'))
            return false;
    }
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return exe.isEmpty() || executable.isEmpty() || exe == executable;
}

class Locked {
public:
    explicit Locked(QSystemSemaphore& s) : s_(s) { s_.acquire(); }
    ~Locked() { s_.release(); }

private:
    QSystemSemaphore& s_;
};

// Socket names are short: the path goes in as a hash.
QString socketName(const QString& base) {
    return QStringLiteral("ostrapel-") +
           QString::fromLatin1(
               QCryptographicHash::hash(base.toUtf8(), QCryptographicHash::Sha1).toHex().left(16)) +
           QStringLiteral("_Msg");
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& executablePath, QObject* parent)
    : QObject(parent), base_(QStringLiteral("Jcl") + QString(executablePath).toUpper().replace(u'/', u'_')),
      executable_(executablePath), pid_(quint32(QCoreApplication::applicationPid())) {
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(base_.toUtf8(), QCryptographicHash::Sha1).toHex());
    lock_ = std::make_unique<QSystemSemaphore>(key + QStringLiteral("_Otx"), 1, QSystemSemaphore::Open);
    block_ = std::make_unique<QSharedMemory>(key + QStringLiteral("_Map"));
    Locked l(*lock_);
    if (block_->create(kBlockSize)) {
        std::memset(block_->data(), 0, kBlockSize);
    } else if (!block_->attach()) {
        block_.reset();
    }
}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (block_ && registered_) {
        {
            Locked l(*lock_);
            auto* b = static_cast<Block*>(block_->data());
            for (int i = 0; i < b->count; ++i) {
                if (b->pids[i] != pid_) continue;
                std::memmove(&b->pids[i], &b->pids[i + 1], sizeof(quint32) * size_t(b->count - i - 1));
                --b->count;
                break;
            }
        }
        notifyInstances(2, pid_);
    }
}

QList<quint32> SingleInstanceGuard::instances() const {
    QList<quint32> out;
    if (!block_) return out;
    Locked l(*lock_);
    const auto* b = static_cast<const Block*>(block_->constData());
    for (int i = 0; i < b->count; ++i)
        out << b->pids[i];
    return out;
}

bool SingleInstanceGuard::checkSingleInstance(int maximum) {
    if (!block_) return true; // no shared memory: never block the user
    int countBefore = 0, max = 0;
    {
        Locked l(*lock_);
        auto* b = static_cast<Block*>(block_->data());
        // copies that ended without leaving (a crash) are dropped first
        int kept = 0;
        for (int i = 0; i < b->count; ++i)
            if (alive(b->pids[i], executable_) && b->pids[i] != pid_) b->pids[kept++] = b->pids[i];
        b->count = quint16(kept);
        if (b->maximum == 0) b->maximum = quint16(maximum);
        countBefore = b->count;
        max = b->maximum;
        if (b->count < kMaxInstances) b->pids[b->count++] = pid_;
        registered_ = true;
    }
    if (countBefore < max) {
        listen();
        notifyInstances(1, pid_);
        return true;
    }
    activateInstance(0);
    return false;
}

void SingleInstanceGuard::listen() {
    server_ = std::make_unique<QLocalServer>();
    const QString name = socketName(base_);
    QLocalServer::removeServer(name); // left by a copy that crashed
    if (!server_->listen(name)) return;
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                while (s->canReadLine()) {
                    const QList<QByteArray> parts = s->readLine().trimmed().split(' ');
                    if (parts.size() != 2) continue;
                    emit notified(parts[0].toInt(), parts[1].toUInt());
                    s->write("ok\n"); // a copy handing over waits for this
                }
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

bool SingleInstanceGuard::notifyInstances(int kind, quint32 pid, bool awaitAnswer) {
    QLocalSocket s;
    s.connectToServer(socketName(base_));
    if (!s.waitForConnected(500)) return false;
    s.write(QByteArray::number(kind) + ' ' + QByteArray::number(pid) + '\n');
    s.waitForBytesWritten(500);
    // A copy still in its own start-up answers late; this one ends all the same.
    const bool answered = !awaitAnswer || (s.waitForReadyRead(2000) && s.readLine().trimmed() == "ok");
    s.disconnectFromServer();
    return answered;
}

bool SingleInstanceGuard::activateInstance(int index) {
    const QList<quint32> pids = instances();
    if (index >= pids.size() || pids[index] == pid_) return false;
    // the running copy shows itself on this notification
    handedOver_ = notifyInstances(1, pid_, true);
    return handedOver_;
}

} // namespace ostrapel
