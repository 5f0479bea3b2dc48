#pragma once

#include "OstrapelError.h"

namespace ostrapel {

// A settings file that could not be written.
class SettingsError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// A settings file over IniFile::kMaxSize, left unread; %1 its path.
inline const QString SettingsFileTooLarge = QStringLiteral(
    "Het instellingenbestand \"%1\" is groter dan 1 MB en wordt niet gebruikt. De instellingen van deze "
    "sessie worden niet bewaard.");

} // namespace ostrapel
