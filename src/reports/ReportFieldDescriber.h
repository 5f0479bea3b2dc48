#pragma once

#include "core/FieldDescriber.h"

namespace ostrapel {

class RecordCatalogue;

// Field types of the report queries: the catalogue's for statement fields, and
// by name for the computed columns, whose type the engine would take from the
// first row (an integer 0 would turn every amount of its column into a whole number).
class ReportFieldDescriber : public FieldDescriber {
public:
    explicit ReportFieldDescriber(const RecordCatalogue& catalogue) : catalogue_(catalogue) {}
    std::optional<FieldType> fieldType(const QString& fieldName) const override;
    std::optional<QString> decode(const QString& fieldName, const QString& code) const override;

private:
    const RecordCatalogue& catalogue_;
};

} // namespace ostrapel
