#pragma once

#include "core/Clock.h"

namespace ostrapel::test {

// A clock that shows what the test set; a test moves it by assigning `time`.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at = QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)))
        : time(std::move(at)) {}
    QDateTime now() const override { return time; }
    QDateTime time;
};

} // namespace ostrapel::test
