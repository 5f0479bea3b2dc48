#pragma once

#include "core/PasswordStore.h"

#include <QMap>

namespace ostrapel::test {

// The desktop's password store of a test: a map, or, not running, no store at
// all (a server without desktop).
class MemoryPasswordStore : public PasswordStore {
public:
    QString read(const QString& key) override { return running ? passwords.value(key) : QString(); }
    bool write(const QString& key, const QString& password) override {
        if (running) passwords[key] = password;
        return running;
    }

    bool running = true;
    QMap<QString, QString> passwords;
};

} // namespace ostrapel::test
