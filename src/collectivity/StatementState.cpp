#include "StatementState.h"

#include "CollectivityTexts.h"

#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/RecordField.h"
#include "core/SettingsFieldNames.h"
#include "core/SqlStatement.h"
#include "core/TextHelpers.h"

namespace ostrapel {

using namespace CollectivityTexts;

StatementState::StatementState(Connection& connection, const RecordCatalogue& catalogue)
    : connection_(connection), catalogue_(catalogue), personsSide_(&catalogue), componentsSide_(&catalogue) {
    personsSide_.sortField = Field::Surname;
    persons_.setFieldList(catalogue_.selectFieldList(QStringLiteral("10")));
    components_.setFieldList(catalogue_.selectFieldList(QStringLiteral("50")));
}

StatementState::~StatementState() = default;

void StatementState::setIdentity(CollectivityKey collectivity, InsuranceType type) {
    collectivity_ = collectivity;
    insuranceType_ = type;
    persons_.setIdentity(collectivity, type);
    components_.setIdentity(collectivity);
}

void StatementState::setPeriodSetting(const QString& setting) {
    periodSetting_ = isPeriodSetting(setting) ? setting : QString();
    const PeriodClauses c = buildPeriodClauses(periodSetting_);
    persons_.periodClause = c.persons;
    components_.periodClause = c.components;
    periodDescription_ = c.description;
}

void StatementState::initialise() {
    setPeriodSetting(periodSetting_);
    buildPersonsQuery();
    const ComponentsQuery::Filter order[3] = {Filter::Soort, Filter::Component, Filter::Herkomst};
    for (Filter f : order)
        dropDowns_[f].build(connection_, catalogue_, ComponentsQuery::fieldOf(f), collectivity_);
}

void StatementState::reload() {
    for (Filter f : {Filter::Soort, Filter::Component, Filter::Herkomst}) {
        const QString checked = dropDowns_[f].checkedText();
        dropDowns_[f] = DropDownFilter();
        dropDowns_[f].build(connection_, catalogue_, ComponentsQuery::fieldOf(f), collectivity_);
        setStoredDropDownText(f, checked);
    }
    prepareComponents(); // loaded when the persons list follows its kept person
    buildPersonsQuery(Field::PersonKey);
}

void StatementState::applyFields(ListSideState& side) {
    catalogue_.prepareFields(side.data, &side == &personsSide_ ? QStringLiteral("10") : QStringLiteral("50"),
                             false);
    side.columns = catalogue_.buildGridColumns(side.data, true, side.fieldOrder);
}

void StatementState::restoreSide(bool personsSide, const QString& fieldOrder, const QString& sortField) {
    ListSideState& s = side(personsSide);
    s.fieldOrder = knownFieldOrder(catalogue_, fieldOrder);
    const QString kind = personsSide ? QStringLiteral("10") : QStringLiteral("50");
    const bool known = isCatalogueField(catalogue_, sortField) &&
                       (sortField.startsWith(kind) || sortField.startsWith(u"ID"));
    s.sortField = known ? sortField : QString();
    if (personsSide && s.sortField.isEmpty()) s.sortField = PersonsQuery::orderField();
}

void StatementState::setFieldOrder(bool personsSide, const QString& order) {
    ListSideState& s = side(personsSide);
    s.fieldOrder = order;
    if (personsSide ? personsOpen_ : bool(componentsStatement_)) applyFields(s);
}

void StatementState::buildPersonsQuery(const QString& keyField) {
    const QString order = personsOpen_ ? personsSide_.data.sortFields() : QString();
    const QString key = keyField.isEmpty() ? QString() : personsSide_.data.value(keyField).toString();
    const bool hadKey = !keyField.isEmpty() && personsOpen_ && !personsSide_.data.isEmpty();
    // Kept by the engine: a collectivity of any size opens on its first page.
    // Sorted once there; the query's own ORDER BY only breaks ties.
    personsSide_.data.loadSnapshot(connection_, persons_.unorderedSql(),
                                   order.isEmpty() ? PersonsQuery::sortFieldsFor(personsSide_.sortField)
                                                   : order,
                                   PersonsQuery::orderField());
    personsOpen_ = true;
    applyFields(personsSide_);
    if (hadKey) personsSide_.data.locate(keyField, key, Qt::CaseSensitive);
    followCursor();
}

void StatementState::search(const QString& text) {
    persons_.searchClause = persons_.composeSearchClause(text, personsSide_.sortField);
    buildPersonsQuery();
}

bool StatementState::sortPersonsBy(const QString& field) {
    if (firstCommaItem(personsSide_.data.sortFields()) == field) return false;
    const QString key = personsSide_.data.value(Field::PersonKey).toString();
    personsSide_.data.sort(PersonsQuery::sortFieldsFor(field));
    personsSide_.data.locate(Field::PersonKey, key, Qt::CaseSensitive);
    personsSide_.sortField = field;
    return true;
}

void StatementState::toggleUnitView() {
    const bool on = !persons_.unitView();
    persons_.setUnitView(on);
    if (on) {
        persons_.unitClause =
            PersonsQuery::composeUnitClause(personsSide_.data.value(Field::UnitKey).toString());
    } else {
        persons_.unitClause = kNeutralClause;
        components_.setMode(ComponentsQuery::Mode::Individual);
        prepareComponents(); // loaded once, when the rebuilt persons list follows its cursor
    }
    buildPersonsQuery(Field::PersonKey);
}

void StatementState::toggleCompoundSurname() {
    persons_.setCompoundSurname(!persons_.compoundSurname());
    buildPersonsQuery();
}

void StatementState::applyFilterClause(const QString& clause) {
    persons_.filterClause = clause;
    buildPersonsQuery();
}

bool StatementState::changePeriod(const QString& setting) {
    if (setting == periodSetting_) return false;
    setPeriodSetting(setting);
    prepareComponents(); // the persons rebuild then loads them for the kept person
    buildPersonsQuery(Field::PersonKey);
    return true;
}

void StatementState::setComponentsShown(bool shown) {
    componentsShown_ = shown;
    buildComponentsQuery();
    if (!shown) total_ = 0;
}

void StatementState::setMode(ComponentsQuery::Mode mode) {
    components_.setMode(mode);
    buildComponentsQuery();
}

void StatementState::setModeLetter(const QString& letter) {
    setMode(letter == QStringLiteral("G") ? ComponentsQuery::Mode::Joint : ComponentsQuery::Mode::Individual);
}

bool StatementState::chooseDropDown(Filter f, int index) {
    if (!dropDowns_[f].check(index)) return false;
    components_.setFilter(f, dropDowns_[f].checkedCode(), dropDowns_[f].checkedEntryText());
    buildComponentsQuery();
    return true;
}

void StatementState::setStoredDropDownText(Filter f, const QString& text) {
    dropDowns_[f].checkText(text);
    components_.setFilter(f, dropDowns_[f].checkedCode(), dropDowns_[f].checkedEntryText());
}

void StatementState::prepareComponents() {
    if (!componentsShown_) return;
    componentsStatement_ = connection_.prepareNew(components_.sql());
    totalsStatement_ = connection_.prepareNew(components_.totalsSql());
}

void StatementState::buildComponentsQuery() {
    if (!componentsShown_) return;
    prepareComponents();
    loadComponents();
}

void StatementState::loadComponents() {
    if (!componentsStatement_) return;
    // Joint: the unit of the selected person, so that a co-insured person
    // shows the unit's components as its main insured does.
    const QString param = components_.parameterName();
    const QVariant person = personsSide_.data.value(param);
    componentsStatement_->bind(param, person);
    componentsStatement_->exec();
    const QString order = componentsSide_.data.sortFields();
    componentsSide_.data.load(componentsStatement_->query());
    componentsStatement_->finish();
    applyFields(componentsSide_);
    if (!order.isEmpty()) componentsSide_.data.sort(order);
    totalsStatement_->bind(param, person);
    totalsStatement_->exec();
    total_ = totalsStatement_->next() ? totalsStatement_->value(0).toDouble() : 0.0;
    totalsStatement_->finish();
    ++componentRuns_;
}

bool StatementState::sortComponentsBy(const QString& field) {
    if (firstCommaItem(componentsSide_.data.sortFields()) == field) return false;
    componentsSide_.data.sort(ComponentsQuery::sortFieldsFor(field));
    componentsSide_.sortField = field;
    return true;
}

void StatementState::followCursor() {
    if (paused_ || !componentsShown_) return;
    loadComponents();
}

void StatementState::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (!paused_) followCursor();
}

QString StatementState::verzekerdenLabel() const {
    return persons_.filterClause != kNeutralClause ? VerzekerdenFilter : Verzekerden;
}

QString StatementState::recordCountText() const {
    return QString::number(personsOpen_ ? personsSide_.data.recordCount() : 0) + Records;
}

QString StatementState::unitFooterText() const {
    return persons_.unitView() ? EenheidAan : EenheidUit;
}

QString StatementState::totalText() const {
    return QStringLiteral("%1").arg(programLocale().toString(total_, 'f', 2), 8);
}

QString StatementState::componentsCountText() const {
    return QString::number(componentsSide_.data.recordCount()) + Records;
}

} // namespace ostrapel
