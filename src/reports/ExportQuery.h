#pragma once

#include "ReportInputs.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The export query from the wizard's fields (names joined by ";") and the
// window's fragments.
class ExportQuery {
public:
    ExportQuery(const QString& personFields, const QString& componentFields);

    QString selectText() const;
    // The client-side sort: person fields, then component fields when they take part.
    QString sortList(const ReportInputs& inputs) const;
    // The components table takes part for a component column or a component restriction.
    bool usesComponents(const ReportInputs& inputs) const;
    QStringList lines(const ReportInputs& inputs) const;

private:
    QStringList personFields_;
    QStringList componentFields_;
};

} // namespace ostrapel
