#pragma once

#include "core/OstrapelError.h"

namespace ostrapel {

namespace PrintTexts {
inline const QString PrinterErrorText = QStringLiteral("Printer error");
inline const QString PrintFout = QStringLiteral("Print fout");
inline const QString GeenTekst = QStringLiteral("Er is geen tekst om te printen");
} // namespace PrintTexts

// Nothing to print: no file and no lines.
class NoTextToPrintError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// The printer failed: measuring, starting the job or drawing.
class PrintError : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

} // namespace ostrapel
