#pragma once

#include "Connection.h"

namespace ostrapel {

// Rolls back unless committed, also when an exception leaves the scope.
class Transaction {
public:
    explicit Transaction(Connection& c) : c_(c) { c_.beginTransaction(); }
    ~Transaction() {
        if (!done_) {
            try {
                c_.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        c_.commit();
        done_ = true;
    }

private:
    Connection& c_;
    bool done_ = false;
};

} // namespace ostrapel
