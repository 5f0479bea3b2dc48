#include "KeychainPasswordStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>
#include <functional>
#include <qt6keychain/keychain.h>

namespace ostrapel {

namespace {

Q_LOGGING_CATEGORY(lcKeychain, "ostrapel.keychain")

const QString kService = QStringLiteral("Ostrapel");

// Asked before the bus is: without an address libdbus would start a bus of
// its own (autolaunch) just to find no store on it.
bool sessionBusAddressKnown() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

bool storeOnSessionBus() {
    if (!sessionBusAddressKnown()) return false;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon) return false;
    daemon->setTimeout(5000);
    const QStringList activatable = daemon->activatableServiceNames().value();
    for (const QString& name : {QStringLiteral("org.freedesktop.secrets"),
                                QStringLiteral("org.kde.kwalletd6"), QStringLiteral("org.kde.kwalletd5")})
        if (daemon->isServiceRegistered(name).value() || activatable.contains(name)) return true;
    return false;
}

// Runs the job to its end, or gives up after the timeout. The job deletes
// itself when it finishes, also after the wait has given up on it.
std::optional<QKeychain::Error> finish(QKeychain::Job* job, int timeoutMs,
                                       const std::function<void(QKeychain::Job&)>& result = {}) {
    std::optional<QKeychain::Error> error;
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job* done) {
        error = done->error();
        if (result && *error == QKeychain::NoError) result(*done);
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!error) loop.exec(QEventLoop::ExcludeUserInputEvents);
    return error;
}

} // namespace

bool KeychainPasswordStore::available() {
    if (!available_) available_ = storeOnSessionBus();
    return *available_;
}

QString KeychainPasswordStore::read(const QString& key) {
    if (!available()) return {};
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setInsecureFallback(false); // never a plain-text file instead
    job->setKey(key);
    QString password;
    const auto error = finish(job, timeoutMs_, [&password](QKeychain::Job& done) {
        password = static_cast<QKeychain::ReadPasswordJob&>(done).textData();
    });
    if (!error) {
        qCWarning(lcKeychain) << "the password store did not answer";
        available_ = false;
    } else if (*error != QKeychain::NoError && *error != QKeychain::EntryNotFound) {
        qCWarning(lcKeychain) << "the password store could not be read:" << *error;
    }
    return password;
}

bool KeychainPasswordStore::write(const QString& key, const QString& password) {
    if (!available()) return false;
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(password);
    const auto error = finish(job, timeoutMs_);
    if (!error) {
        qCWarning(lcKeychain) << "the password store did not answer";
        available_ = false;
        return false;
    }
    if (*error != QKeychain::NoError) qCWarning(lcKeychain) << "the password store refused:" << *error;
    return *error == QKeychain::NoError;
}

} // namespace ostrapel
