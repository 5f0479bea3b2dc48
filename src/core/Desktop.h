#pragma once

class QUrl;

namespace ostrapel {

// The desktop's programs for files and web pages, so that tests can answer
// in their place and never start a browser or a spreadsheet.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands a file or web address to the program the desktop associates with
    // it; false when no program took it.
    virtual bool openUrl(const QUrl& url) = 0;
};

} // namespace ostrapel
