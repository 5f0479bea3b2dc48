#pragma once

#include "ComponentsQuery.h"
#include "DropDownFilter.h"
#include "ListSideState.h"
#include "PersonsQuery.h"

#include "core/DataSet.h"
#include "core/RecordCatalogue.h"

#include <memory>
#include <vector>

namespace ostrapel {

class Connection;
class SqlStatement;

// The collectivity window without its widgets: the persons and components
// queries in every state, the search, sorting, the unit view, the period, the
// drop-down filters, and following the persons cursor.
class StatementState {
public:
    using Filter = ComponentsQuery::Filter;

    StatementState(Connection& connection, const RecordCatalogue& catalogue);
    ~StatementState();

    void setIdentity(CollectivityKey collectivity, InsuranceType type);
    CollectivityKey collectivity() const { return collectivity_; }
    InsuranceType insuranceType() const { return insuranceType_; }

    // The two lists; their stored values are set before initialise().
    ListSideState& personsSide() { return personsSide_; }
    ListSideState& componentsSide() { return componentsSide_; }
    const ListSideState& personsSide() const { return personsSide_; }
    const ListSideState& componentsSide() const { return componentsSide_; }
    ListSideState& side(bool personsSide) { return personsSide ? personsSide_ : componentsSide_; }
    // A side's field order and sort field as a settings file holds them: names
    // the catalogue does not know are dropped (they would reach the SQL text);
    // the persons list sorts on 1002 when none is left.
    void restoreSide(bool personsSide, const QString& fieldOrder, const QString& sortField);
    void setPeriodSetting(const QString& setting);
    QString periodSetting() const { return periodSetting_; }
    void setCompoundSurname(bool on) { persons_.setCompoundSurname(on); }
    bool compoundSurname() const { return persons_.compoundSurname(); }

    // A new field order for one side: captions, visibility and columns anew.
    void setFieldOrder(bool personsSide, const QString& order);

    // Period clauses, the persons list and the drop-downs.
    void initialise();
    // Reads the lists and drop-downs anew (another workstation may have
    // imported a month), keeping the person, the sort and the checked entries.
    void reload();
    void buildPersonsQuery(const QString& keyField = {});
    void search(const QString& text);
    // False when the list is sorted on `field` already.
    bool sortPersonsBy(const QString& field);
    void toggleUnitView();
    bool unitView() const { return persons_.unitView(); }
    void toggleCompoundSurname();
    void applyFilterClause(const QString& clause);
    QString filterClause() const { return persons_.filterClause; }
    // After the period dialog: a changed setting re-queries, keeping the person.
    bool changePeriod(const QString& setting);

    // The components pane.
    void setComponentsShown(bool shown);
    bool componentsShown() const { return componentsShown_; }
    void setMode(ComponentsQuery::Mode mode);
    ComponentsQuery::Mode mode() const { return components_.mode(); }
    void setModeLetter(const QString& letter);
    bool chooseDropDown(Filter f, int index);
    void setStoredDropDownText(Filter f, const QString& text);
    const DropDownFilter& dropDown(Filter f) const { return dropDowns_[f]; }
    void buildComponentsQuery();
    bool sortComponentsBy(const QString& field);

    // The persons cursor moved: re-run the components and totals for the person.
    void followCursor();
    void setPaused(bool paused);
    bool paused() const { return paused_; }

    Connection& connection() { return connection_; }
    DataSet& persons() { return personsSide_.data; }
    DataSet& components() { return componentsSide_.data; }
    const PersonsQuery& personsQuery() const { return persons_; }
    const ComponentsQuery& componentsQuery() const { return components_; }

    QString periodDescription() const { return periodDescription_; }
    QString verzekerdenLabel() const;
    QString recordCountText() const;
    QString unitFooterText() const;
    double total() const { return total_; }
    QString totalText() const;
    QString componentsCountText() const;
    QString componentsFooterText() const { return components_.footerText(); }
    // How many times the components were re-run (a test sees whether a step re-queried).
    int componentRuns() const { return componentRuns_; }

private:
    void prepareComponents();
    void loadComponents();
    // Captions and visibility from the catalogue, and the columns by the side's field order.
    void applyFields(ListSideState& side);

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    CollectivityKey collectivity_;
    InsuranceType insuranceType_ = InsuranceType::Standard;
    PersonsQuery persons_;
    ComponentsQuery components_;
    DropDownFilter dropDowns_[3];
    QString periodSetting_;
    QString periodDescription_;
    ListSideState personsSide_;
    ListSideState componentsSide_;
    std::unique_ptr<SqlStatement> componentsStatement_;
    std::unique_ptr<SqlStatement> totalsStatement_;
    double total_ = 0;
    bool componentsShown_ = false;
    bool personsOpen_ = false;
    bool paused_ = false;
    int componentRuns_ = 0;
};

} // namespace ostrapel
