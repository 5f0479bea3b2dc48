#pragma once

#include "FieldType.h"

#include <QString>
#include <optional>

namespace ostrapel {

// What a data set asks about the fields it loads: their type by name and the
// description of a coded value. The record catalogue answers for statement fields.
class FieldDescriber {
public:
    virtual ~FieldDescriber() = default;
    // nullopt leaves the driver's type.
    virtual std::optional<FieldType> fieldType(const QString& fieldName) const = 0;
    // nullopt when the field has no code list.
    virtual std::optional<QString> decode(const QString& fieldName, const QString& code) const = 0;
};

} // namespace ostrapel
