#pragma once

namespace ostrapel {

// Loads Qt's own Dutch texts, so the standard dialogs Qt draws (the file
// dialog's "Zoeken in", its buttons) speak the program's language. Returns
// false when the translations are not installed; Qt then stays English.
bool installQtTranslations();

} // namespace ostrapel
