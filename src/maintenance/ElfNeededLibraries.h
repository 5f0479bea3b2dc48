#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// The libraries an ELF executable or library asks the loader for (the
// DT_NEEDED entries of its dynamic section) and its own search path.
class ElfNeededLibraries {
public:
    explicit ElfNeededLibraries(const QString& fileName);

    bool isElf() const { return elf_; }
    // Each name once, sorted without regard to case.
    QStringList names() const { return names_; }
    // DT_RUNPATH or DT_RPATH folders, "$ORIGIN" replaced by the file's folder.
    QStringList runPath() const { return runPath_; }

private:
    bool elf_ = false;
    QStringList names_;
    QStringList runPath_;
};

} // namespace ostrapel
