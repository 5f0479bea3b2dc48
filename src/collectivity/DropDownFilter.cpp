#include "DropDownFilter.h"

#include "CollectivityQueries.h"
#include "CollectivityTexts.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/RecordCatalogue.h"
#include "core/SqlStatement.h"

namespace ostrapel {

void DropDownFilter::build(Connection& connection, const RecordCatalogue& catalogue, const QString& field,
                           CollectivityKey collectivity) {
    catalogue_ = &catalogue;
    field_ = field;
    entries_ = {CollectivityTexts::Alles};
    checked_ = 0;
    QStringList pick;
    if (catalogue.fillPickList(pick, field, false) > 0) {
        entries_ << pick;
        return;
    }
    // The distinct values in order, one index step each: a distinct query reads
    // an index entry for every component of the collectivity.
    SqlStatement& next = connection.prepare(CollectivityQueries::nextValue(field));
    next.bind(
        {{QStringLiteral("ID01"), collectivity.number}, {QStringLiteral("ID02"), collectivity.sequence}});
    for (QVariant after = QString(QLatin1String(""));;) {
        next.bind(QStringLiteral("After"), after);
        next.exec();
        after = next.next() ? next.value(0) : QVariant();
        next.finish();
        if (after.isNull()) break;
        entries_ << after.toString();
    }
}

bool DropDownFilter::check(int index) {
    if (index == checked_ || index < 0 || index >= entries_.size()) return false;
    checked_ = index;
    return true;
}

void DropDownFilter::checkText(const QString& text) {
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].compare(text, Qt::CaseInsensitive) == 0) checked_ = i;
}

QString DropDownFilter::checkedEntryText() const {
    if (checked_ <= 0) return {};
    QString text = entries_.value(checked_);
    const qsizetype amp = text.indexOf(u'&');
    if (amp >= 0) text.remove(amp, 1);
    return text;
}

QString DropDownFilter::checkedCode() const {
    const QString text = checkedEntryText();
    if (text.isEmpty() || !catalogue_) return text;
    return catalogue_->encodePickValue(field_, text);
}

} // namespace ostrapel
