#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The fragments of the persons query besides its fields and its keys; each a
// whole SQL line, "AND 1=1" when neutral.
struct PersonsClauses {
    QString search;
    QString unit;
    QString filter;
    QString period;
};

// Every SQL text of the collectivity window, its lists, menus and dialogs, in
// the Jet dialect. The lists' texts carry the collectivity's numbers and the
// chosen codes in them, as a changed list is a new statement anyway; the rest
// take named parameters.
class CollectivityQueries {
public:
    // The collectivity's records, one per statement (:ID01, :ID02).
    static const QString Collectivity;
    // Its import history, newest statement first (:ID01, :ID02).
    static const QString History;

    // "iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], BORD10.[1002])":
    // the surname with the partner's name before it where the person asked for that.
    static QString compoundSurname();

    // The persons list: eight lines, replaced by position, never added or removed.
    static QStringList persons(const QString& fieldList, bool compoundSurname, const QString& whereLine,
                               const PersonsClauses& clauses, const QString& orderField);
    static QString personsWhere(CollectivityKey collectivity, InsuranceType type);
    // "AND BORD10.[field] like 'T%'", or the compound variant on 1002; empty text: neutral.
    static QString personsSearch(const QString& text, const QString& sortField, bool compoundSurname);
    static QString personsUnit(const QString& unitKey);

    // The components list (nine lines) and its total (eight); `filterLines`
    // are the selection, period and drop-down clauses.
    static QStringList components(const QString& fieldList, const QStringList& filterLines);
    static QStringList componentTotals(const QStringList& filterLines);
    // The components of the person (:ID07) or of the unit (:ID05, joint).
    static QString componentsSelection(bool joint, CollectivityKey collectivity);
    static QString componentsFilter(const QString& field, const QString& code);

    // A component field's least value after :After in the collectivity (:ID01, :ID02).
    static QString nextValue(const QString& field);

    // The invoice months of the menus, a month at a time (:CollNr, :CollVolgNr):
    // the first, the next after :After, and whether a person of the type has a
    // component in :Month.
    static const QString FirstInvoiceMonth;
    static const QString NextInvoiceMonth;
    static QString invoiceMonthInUse(InsuranceType type);
    // The statement months of the type the comparison dialog offers (:CollNr, :CollVolgNr).
    static QString comparisonMonths(InsuranceType type);
    // The months of the imported statements the period dialog offers (:id01, :id02, :id05).
    static const QString PeriodMonths;
    // Premium, corrections and persons per invoice month (:CollNr, :CollVolgNr, :Van, :Tot).
    static QString premiumTrend(InsuranceType type);
};

} // namespace ostrapel
