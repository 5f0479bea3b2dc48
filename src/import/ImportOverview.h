#pragma once

#include "StatementSummary.h"

#include <QString>
#include <vector>

namespace ostrapel {

class Prompts;

namespace OverviewTexts {
inline const QString Caption = QStringLiteral("Import overzicht");
inline const QString SelectAll = QStringLiteral("&Alles selecteren");
inline const QString DeselectAll = QStringLiteral("&Alles deselecteren");
inline const QString FileHasErrors =
    QStringLiteral("Bestand van collectiviteit %1.%2 [%3] \r\nbevat fouten (%4)");
// a file without a collectivity record has no number to name it by
inline const QString FileWithoutCollectivity = QStringLiteral("Bestand \"%1\" \r\nbevat fouten (%2)");
inline const QString NothingSelected =
    QStringLiteral("U heeft geen files geselecteerd om te importeren\r\nof de files bevatten fouten");
inline const QString NotAllImported =
    QStringLiteral("Niet alle files zijn geimporteerd,\r\nomdat ze mogelijk fouten bevatten");
} // namespace OverviewTexts

// The overview's rows and rules, without the window: one row per summary with
// its "Importeren" tick, the select-all toggle and the test run by OK.
class ImportOverview {
public:
    explicit ImportOverview(std::vector<StatementSummary>& summaries);

    int rowCount() const { return int(ticks_.size()); }
    const StatementSummary& summary(int row) const { return summaries_[size_t(row)]; }
    bool isTicked(int row) const { return ticks_[size_t(row)] == u'J'; }
    void setTicked(int row, bool ticked);

    // "&Alles selecteren": ticks every file without errors, or clears all when
    // the toggle is on; then flips the toggle.
    void toggleSelectAll();
    QString selectAllCaption() const;

    // The test of OK: copies the ticks into the summaries, reports each file
    // that is not imported, and tells whether the dialog may close.
    bool acceptClose(Prompts& prompts);
    int goodCount() const { return goodCount_; }

private:
    std::vector<StatementSummary>& summaries_;
    std::vector<QChar> ticks_;
    bool toggle_ = false;
    int goodCount_ = 0;
};

} // namespace ostrapel
