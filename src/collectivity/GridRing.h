#pragma once

#include <array>
#include <functional>

namespace ostrapel {

// The four focusable grids of the collectivity window, in their fixed order:
// 0 the persons detail grid, 1 the persons list, 2 the components detail grid,
// 3 the components list. The search box keeps the focus; keys act on the
// active grid.
class GridRing {
public:
    enum Entry { PersonsDetail = 0, Persons = 1, ComponentsDetail = 2, Components = 3 };

    // Whether an entry's grid is showing (a hidden pane is skipped).
    std::function<bool(int entry)> isShowing;

    int active() const { return active_; }
    // False when the entry is active already.
    bool activate(int entry);
    // The previous or next showing entry, wrapping around; the active one when none shows.
    int neighbour(bool forward) const;

    static bool isList(int entry) { return entry == Persons || entry == Components; }
    static bool isPersonsSide(int entry) { return entry == PersonsDetail || entry == Persons; }

private:
    int active_ = -1;
};

} // namespace ostrapel
