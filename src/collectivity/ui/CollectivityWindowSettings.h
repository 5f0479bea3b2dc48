#pragma once

#include "collectivity/ComponentsQuery.h"
#include "core/InsuranceType.h"

#include <QString>

class QWidget;

namespace ostrapel {

class Settings;

// What a collectivity window keeps in its section of the settings: the frame's
// place, per list its detail pane, field order and sort field, the period, the
// component drop-downs and view. Reads take the window's current value as the
// default for a key that is not stored.
class CollectivityWindowSettings {
public:
    CollectivityWindowSettings(Settings& settings, const QString& windowKey);

    // Sizes the frame (the form's own size at first) and places or maximizes it.
    void restoreFrame(QWidget& frame) const;
    void saveFrame(const QWidget& frame);

    bool detailsShown(bool personsSide, bool current) const;
    void setDetailsShown(bool personsSide, bool shown);
    QString fieldOrder(bool personsSide, const QString& current) const;
    QString sortField(bool personsSide, const QString& current) const;
    void setSide(bool personsSide, const QString& fieldOrder, const QString& sortField);
    QString period(InsuranceType type, const QString& current) const;
    void setPeriod(InsuranceType type, const QString& setting);
    QString dropDownText(ComponentsQuery::Filter filter, const QString& current) const;
    void setDropDownText(ComponentsQuery::Filter filter, const QString& text);
    // "G" for the joint view, "I" for the individual one.
    QString componentMode(const QString& current) const;
    void setComponentMode(const QString& letter);
    bool componentsShown() const;
    void setComponentsShown(bool shown);
    // Kept for the program, not per window.
    void setCompoundSurname(bool on);

private:
    Settings& settings_;
    QString section_;
};

} // namespace ostrapel
