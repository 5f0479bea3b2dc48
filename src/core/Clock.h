#pragma once

#include <QDateTime>

namespace ostrapel {

// The date and time of day, passed in so that tests can fix or move it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

} // namespace ostrapel
