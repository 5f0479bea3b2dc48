#include "WindowReportInputs.h"

#include "collectivity/StatementState.h"

namespace ostrapel {

ReportInputs windowReportInputs(ReportKind kind, const StatementState& window, const QString& month) {
    ReportInputs in;
    in.sortField = window.personsSide().sortField;
    in.collectivity = window.collectivity();
    in.keyField = Field::PersonKey;
    in.compoundSurname = window.compoundSurname();
    in.insuranceType = window.insuranceType();
    const PersonsQuery& persons = window.personsQuery();
    const ComponentsQuery& components = window.componentsQuery();
    switch (kind) {
    case ReportKind::Collection:
        in.reportMonth = month;
        break;
    case ReportKind::Correction:
        in.selectionClause = components.selectionClause();
        in.correctionMonth = month; // in place of the persons period clause
        break;
    case ReportKind::Selection:
        in.searchClause = persons.searchClause;
        in.selectionClause = components.selectionClause();
        in.soortClause = components.filterClause(ComponentsQuery::Soort);
        in.unitClause = persons.unitClause;
        in.componentsPeriodClause = components.periodClause;
        in.personsPeriodClause = persons.periodClause;
        in.componentClause = components.filterClause(ComponentsQuery::Component);
        in.herkomstClause = components.filterClause(ComponentsQuery::Herkomst);
        in.filterClause = persons.filterClause;
        break;
    case ReportKind::Renewal:
        break;
    }
    return in;
}

ReportInputs windowExportInputs(const StatementState& window) {
    const PersonsQuery& persons = window.personsQuery();
    const ComponentsQuery& components = window.componentsQuery();
    ReportInputs in;
    in.collectivity = window.collectivity();
    in.insuranceType = window.insuranceType();
    in.selectText = QStringLiteral("Select *");
    in.searchClause = persons.searchClause;
    in.selectionClause = components.selectionClause();
    in.soortClause = components.filterClause(ComponentsQuery::Soort);
    in.personsWhereLine = persons.whereLine();
    in.unitClause = persons.unitClause;
    in.componentsPeriodClause = components.periodClause;
    in.personsPeriodClause = persons.periodClause;
    in.componentClause = components.filterClause(ComponentsQuery::Component);
    in.herkomstClause = components.filterClause(ComponentsQuery::Herkomst);
    in.compoundSurname = window.compoundSurname();
    return in;
}

} // namespace ostrapel
