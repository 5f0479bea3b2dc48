#pragma once

#include "ProgramHost.h"

namespace ostrapel {

// The program's folder as the file system reports it, and the application's event loop.
class QtProgramHost : public ProgramHost {
public:
    bool onNetworkFileSystem() override;
    void endProgram(int code) override;
};

} // namespace ostrapel
