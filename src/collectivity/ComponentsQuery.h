#pragma once

#include "core/RecordField.h"
#include "core/SqlFragments.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The components query (nine lines), the totals query (eight lines) and the
// mode and filter fragments they share.
class ComponentsQuery {
public:
    enum class Mode { Individual, Joint };
    enum Filter { Herkomst = 0, Soort = 1, Component = 2 };

    ComponentsQuery();

    void setIdentity(CollectivityKey collectivity) { collectivity_ = collectivity; }
    void setFieldList(const QString& fieldList) { fieldList_ = fieldList; }

    void setMode(Mode m) { mode_ = m; }
    Mode mode() const { return mode_; }
    QString modeLetter() const { return mode_ == Mode::Joint ? QStringLiteral("G") : QStringLiteral("I"); }
    QString modeText() const;
    // The parameter of the selection clause: "ID07" or "ID05".
    QString parameterName() const { return mode_ == Mode::Joint ? Field::UnitKey : Field::PersonKey; }
    // The selection template with the collectivity keys filled in.
    QString selectionClause() const;

    QString periodClause;
    // Sets a drop-down's clause for a code, or the neutral clause for "<ALLES>" (empty code).
    void setFilter(Filter f, const QString& code, const QString& entryText);
    QString filterClause(Filter f) const { return clauses_[f]; }

    QStringList lines() const;
    QStringList totalsLines() const;
    QString sql() const { return lines().join(QStringLiteral("\r\n")); }
    QString totalsSql() const { return totalsLines().join(QStringLiteral("\r\n")); }
    // The mode text and the chosen drop-downs, as the pane's footer shows them.
    QString footerText() const;

    static QString sortFieldsFor(const QString& field);
    static QString fieldOf(Filter f);

private:
    QStringList filterLines() const;

    CollectivityKey collectivity_;
    QString fieldList_;
    Mode mode_ = Mode::Individual;
    QString clauses_[3];
    QString footerParts_[3];
};

} // namespace ostrapel
