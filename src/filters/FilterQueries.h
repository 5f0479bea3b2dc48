#pragma once

#include <QString>

// The SQL texts of the stored filters and of the criterion wizard.
namespace ostrapel::FilterQueries {

// Stored filters and their criteria (:FilterId, :FilterNaam, ...).
inline const QString List = QStringLiteral("select *\nfrom filters\norder by FilterNaam");
inline const QString Name = QStringLiteral("select FilterNaam\nfrom Filters\nwhere FilterId = :FilterId");
inline const QString Criteria = QStringLiteral("select *\nfrom FilterCrits\nwhere FilterId = :FilterId");
inline const QString AddFilter =
    QStringLiteral("Insert into Filters(FilterNaam, GemaaktDoor) values (:FilterNaam, :GemaaktDoor)");
// Touches the filter's row: it tells whether the filter is still there and holds
// its row until the criteria are written, so that a removal waits for them.
inline const QString HoldFilter =
    QStringLiteral("update Filters set FilterNaam = FilterNaam where FilterId = :FilterId");
inline const QString ClearCriteria = QStringLiteral("delete *\nfrom FilterCrits\nwhere FilterId = :FilterId");
inline const QString InsertCriterion = QStringLiteral(
    "Insert into FilterCrits(FilterId, FilterCritId, WaardeReal, WaardeDisplay, OperatorReal, "
    "OperatorDisplay, "
    "VeldReal, VeldDisplay, Filter)\nvalues (:FilterId, :FilterCritId, :WaardeReal, :WaardeDisplay, "
    ":OperatorReal, :OperatorDisplay, :VeldReal, :VeldDisplay, :Filter)");
inline const QString DeleteCriteria = QStringLiteral("delete\nfrom FilterCrits\nwhere FilterId = :FilterId");
inline const QString DeleteFilter = QStringLiteral("delete\nfrom Filters\nwhere FilterId = :FilterId");

// The key fields the persons list shows, then the persons' own fields it shows.
// "+" marks a field that is always shown (the surname), so it is offered too.
inline const QString WizardFields =
    QStringLiteral("select  'ID' + f.veldnr as VELDREAL, r.Display as VELDDISPLAY\n"
                   "from fielddisplay f, recstruct r\n"
                   "where f.veldnr = r.veldnr\n"
                   "and r.soort = 'id'\n"
                   "and f.soort = '10'\n"
                   "and f.tonen = 'J'\n"
                   "union all\n"
                   "SELECT SOORT + VELDNR as VELDREAL, DISPLAY as VELDDISPLAY\n"
                   "FROM RECSTRUCT\n"
                   "WHERE SOORT='10'\n"
                   "AND (Tonen='J' OR Tonen='+')\n"
                   "ORDER BY VELDDISPLAY");

// The distinct values of a persons field over every collectivity, for the
// wizard's value list; the field name comes from the catalogue, not the user.
inline QString distinctValues(const QString& field) {
    return QStringLiteral("Select distinct [") + field +
           QStringLiteral("] AS WAARDE FROM bord10 ORDER BY [") + field + QStringLiteral("]");
}

} // namespace ostrapel::FilterQueries
