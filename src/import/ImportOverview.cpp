#include "ImportOverview.h"

#include "core/Prompts.h"

#include <QFileInfo>

namespace ostrapel {

ImportOverview::ImportOverview(std::vector<StatementSummary>& summaries) : summaries_(summaries) {
    for (const StatementSummary& s : summaries_)
        ticks_.push_back(s.importFlag);
}

void ImportOverview::setTicked(int row, bool ticked) {
    // a file without a collectivity record, or built wrongly, cannot be imported
    ticks_[size_t(row)] = ticked && isImportable(summaries_[size_t(row)]) ? u'J' : u'N';
}

void ImportOverview::toggleSelectAll() {
    for (size_t i = 0; i < ticks_.size(); ++i)
        ticks_[i] = !toggle_ && errorFlags(summaries_[i]) == 0 ? u'J' : u'N';
    toggle_ = !toggle_;
}

QString ImportOverview::selectAllCaption() const {
    return toggle_ ? OverviewTexts::DeselectAll : OverviewTexts::SelectAll;
}

bool ImportOverview::acceptClose(Prompts& prompts) {
    int good = 0, errors = 0;
    for (size_t i = 0; i < ticks_.size(); ++i) {
        StatementSummary& s = summaries_[i];
        s.importFlag = ticks_[i];
        const int flags = errorFlags(s);
        if (s.importFlag != u'J' || flags != 0) {
            ++errors;
            prompts.error(s.noCollectivityRecord
                              ? OverviewTexts::FileWithoutCollectivity.arg(QFileInfo(s.fileName).fileName(),
                                                                           errorReasons(s))
                              : OverviewTexts::FileHasErrors.arg(s.collectivityNumber, s.sequenceNumber,
                                                                 s.period, errorReasons(s)));
        } else {
            ++good;
        }
    }
    goodCount_ = good;
    if (good == 0) {
        prompts.warn(OverviewTexts::NothingSelected);
        return false;
    }
    if (errors > 0) prompts.error(OverviewTexts::NotAllImported);
    return true;
}

} // namespace ostrapel
