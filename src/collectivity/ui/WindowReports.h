#pragma once

#include <QString>

class QWidget;

namespace ostrapel {

class StatementState;

// The reports and the export a collectivity window starts. The program hands
// the window the ones the reports build, so the window needs none of them.
class WindowReports {
public:
    enum class Kind { Collection, Selection, Correction };

    virtual ~WindowReports() = default;
    // `month`: the invoice month chosen under "Te incasseren bedragen" or "Correctiepremies".
    virtual void runStandard(Kind kind, StatementState& window, const QString& month, QWidget* parent) = 0;
    virtual void runRenewal(StatementState& window, const QString& from, const QString& to,
                            QWidget* parent) = 0;
    virtual void runExportWizard(StatementState& window, QWidget* parent) = 0;
};

} // namespace ostrapel
