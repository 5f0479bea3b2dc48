#pragma once

#include <exception>

namespace ostrapel {

// Thrown inside a file's transaction when the user stopped the import, so
// that the file in progress is rolled back as a whole.
class ImportStopped : public std::exception {
public:
    const char* what() const noexcept override { return "import stopped"; }
};

} // namespace ostrapel
