#pragma once

#include "Clock.h"

namespace ostrapel {

// The machine's clock; it holds no state, so one instance serves everyone.
class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    static const Clock& instance() {
        static const SystemClock clock;
        return clock;
    }
};

} // namespace ostrapel
