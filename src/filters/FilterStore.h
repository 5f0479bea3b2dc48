#pragma once

#include "FilterCriterion.h"

#include "core/OstrapelError.h"

#include <QString>
#include <vector>

namespace ostrapel {

class Connection;
class DataSet;

// The filter that criteria were to be stored under is no longer there (deleted
// meanwhile, here or on another workstation); nothing was written.
class FilterGone : public OstrapelError {
public:
    using OstrapelError::OstrapelError;
};

// Named filters in the tables Filters and FilterCrits.
class FilterStore {
public:
    explicit FilterStore(Connection& connection) : connection_(connection) {}

    // Every stored filter, by name.
    DataSet list();
    // The name of a stored filter; empty when there is none of that number.
    QString name(int filterId);
    // The criteria of one filter in the order the table gives them.
    std::vector<FilterCriterion> criteria(int filterId);
    // Stores the criteria under a filter, replacing what it held; with a name
    // (filterId -1) a new filter is added first. All of it or nothing is
    // written. Returns the filter's number; throws FilterGone when the filter
    // no longer exists, so that no criteria are stored without their filter,
    // and DatabaseError.
    int store(int filterId, const std::vector<FilterCriterion>& criteria, const QString& name = {},
              const QString& madeBy = {});
    // The filter and its criteria.
    void remove(int filterId);

private:
    Connection& connection_;
};

} // namespace ostrapel
