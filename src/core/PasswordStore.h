#pragma once

#include <QString>

namespace ostrapel {

// The desktop's password store (a secret service), behind an interface so that
// tests never reach the user's keyring.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;

    // The password kept under the key; empty when none is kept or no store runs.
    virtual QString read(const QString& key) = 0;
    // False when no store runs or it did not keep the password.
    virtual bool write(const QString& key, const QString& password) = 0;
};

} // namespace ostrapel
