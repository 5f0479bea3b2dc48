#pragma once

namespace ostrapel {

// What the main window asks of the running program and the machine it runs
// on, so that tests can answer in its place: `QtProgramHost` in the program.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // True when the program folder lies on a network file system.
    virtual bool onNetworkFileSystem() = 0;
    // Ends the event loop and so the program (after a failed backup).
    virtual void endProgram(int code) = 0;
};

} // namespace ostrapel
