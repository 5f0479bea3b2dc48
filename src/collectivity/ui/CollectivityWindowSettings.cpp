#include "CollectivityWindowSettings.h"

#include "core/Settings.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace ostrapel {

namespace Keys = WindowSettingKeys;

namespace {

// The stored keys of one side, for reading and writing alike.
struct SideKeys {
    const QString& details;
    const QString& fieldOrder;
    const QString& sortField;
};

SideKeys sideKeys(bool personsSide) {
    if (personsSide) return {Keys::ToonTbl10Detail, Keys::FieldOrder10, Keys::IndexField10};
    return {Keys::ToonTbl50Detail, Keys::FieldOrder50, Keys::IndexField50};
}

const QString& dropDownKey(ComponentsQuery::Filter f) {
    switch (f) {
    case ComponentsQuery::Herkomst:
        return Keys::CompHerkomst;
    case ComponentsQuery::Soort:
        return Keys::CompSoort;
    default:
        return Keys::CompComponent;
    }
}

} // namespace

CollectivityWindowSettings::CollectivityWindowSettings(Settings& settings, const QString& windowKey)
    : settings_(settings), section_(windowSection(windowKey)) {}

void CollectivityWindowSettings::restoreFrame(QWidget& frame) const {
    const Settings& s = settings_;
    if (frame.width() < 795 || frame.height() < 577) frame.resize(795, 577); // the form's own size at first
    if (s.readBool(Keys::maximized, frame.isMaximized(), section_)) {
        frame.setWindowState(frame.windowState() | Qt::WindowMaximized);
    } else {
        const QRect g = frame.geometry();
        frame.setGeometry(s.readInteger(Keys::Left, g.left(), section_),
                          s.readInteger(Keys::Top, g.top(), section_),
                          s.readInteger(Keys::Width, g.width(), section_),
                          s.readInteger(Keys::Height, g.height(), section_));
    }
}

void CollectivityWindowSettings::saveFrame(const QWidget& frame) {
    // Maximized is the area's mode, not one window's: only the active window
    // shows it, and the others closed beside it would forget it.
    const auto* sub = qobject_cast<const QMdiSubWindow*>(&frame);
    const QMdiSubWindow* active = sub && sub->mdiArea() ? sub->mdiArea()->activeSubWindow() : nullptr;
    const bool maximized = frame.isMaximized() || (active && active->isMaximized());
    const QRect g = frame.isMaximized() ? frame.normalGeometry() : frame.geometry();
    Settings& s = settings_;
    s.writeBool(Keys::maximized, maximized, section_);
    s.writeInteger(Keys::Width, g.width(), section_);
    s.writeInteger(Keys::Height, g.height(), section_);
    s.writeInteger(Keys::Top, g.top(), section_);
    s.writeInteger(Keys::Left, g.left(), section_);
}

bool CollectivityWindowSettings::detailsShown(bool personsSide, bool current) const {
    return settings_.readBool(sideKeys(personsSide).details, current, section_);
}

void CollectivityWindowSettings::setDetailsShown(bool personsSide, bool shown) {
    settings_.writeBool(sideKeys(personsSide).details, shown, section_);
}

QString CollectivityWindowSettings::fieldOrder(bool personsSide, const QString& current) const {
    return settings_.readString(sideKeys(personsSide).fieldOrder, current, section_);
}

QString CollectivityWindowSettings::sortField(bool personsSide, const QString& current) const {
    return settings_.readString(sideKeys(personsSide).sortField, current, section_);
}

void CollectivityWindowSettings::setSide(bool personsSide, const QString& fieldOrder,
                                         const QString& sortField) {
    settings_.writeString(sideKeys(personsSide).fieldOrder, fieldOrder, section_);
    settings_.writeString(sideKeys(personsSide).sortField, sortField, section_);
}

QString CollectivityWindowSettings::period(InsuranceType type, const QString& current) const {
    return settings_.readString(Keys::periodKey(type), current, section_);
}

void CollectivityWindowSettings::setPeriod(InsuranceType type, const QString& setting) {
    settings_.writeString(Keys::periodKey(type), setting, section_);
}

QString CollectivityWindowSettings::dropDownText(ComponentsQuery::Filter filter,
                                                 const QString& current) const {
    return settings_.readString(dropDownKey(filter), current, section_);
}

void CollectivityWindowSettings::setDropDownText(ComponentsQuery::Filter filter, const QString& text) {
    settings_.writeString(dropDownKey(filter), text, section_);
}

QString CollectivityWindowSettings::componentMode(const QString& current) const {
    return settings_.readString(Keys::ComponentStaat, current, section_);
}

void CollectivityWindowSettings::setComponentMode(const QString& letter) {
    settings_.writeString(Keys::ComponentStaat, letter, section_);
}

bool CollectivityWindowSettings::componentsShown() const {
    return settings_.readBool(Keys::ToonComponenten, true, section_);
}

void CollectivityWindowSettings::setComponentsShown(bool shown) {
    settings_.writeBool(Keys::ToonComponenten, shown, section_);
}

void CollectivityWindowSettings::setCompoundSurname(bool on) {
    settings_.setCompoundSurname(on);
}

} // namespace ostrapel
