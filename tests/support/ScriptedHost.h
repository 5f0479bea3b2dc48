#pragma once

#include "shell/ProgramHost.h"

#include <optional>

namespace ostrapel::test {

// A program host whose folder is on the network when the test says so, and
// that records the exit code instead of ending the test.
class ScriptedHost : public ProgramHost {
public:
    bool onNetworkFileSystem() override { return network; }
    void endProgram(int code) override { endCode = code; }

    bool network = false;
    std::optional<int> endCode;
};

} // namespace ostrapel::test
