#include "GridRing.h"

namespace ostrapel {

bool GridRing::activate(int entry) {
    if (entry == active_) return false;
    active_ = entry;
    return true;
}

int GridRing::neighbour(bool forward) const {
    const int start = active_ < 0 ? Persons : active_;
    for (int step = 1; step <= 4; ++step) {
        const int e = ((start + (forward ? step : -step)) % 4 + 4) % 4;
        if (!isShowing || isShowing(e)) return e;
    }
    return start;
}

} // namespace ostrapel
