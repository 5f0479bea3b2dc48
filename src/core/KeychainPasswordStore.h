#pragma once

#include "PasswordStore.h"

#include <optional>

namespace ostrapel {

// The desktop's password store through QtKeychain (the secret service or
// KWallet). Without a session bus or a store on it (a server without desktop,
// a scheduled job) it keeps nothing, so the caller falls back. Every job is
// waited for in a local event loop for a bounded time; a store that did not
// answer is not asked again in this run.
class KeychainPasswordStore : public PasswordStore {
public:
    explicit KeychainPasswordStore(int timeoutMs = 30000) : timeoutMs_(timeoutMs) {}

    QString read(const QString& key) override;
    bool write(const QString& key, const QString& password) override;

private:
    bool available();

    int timeoutMs_;
    std::optional<bool> available_;
};

} // namespace ostrapel
