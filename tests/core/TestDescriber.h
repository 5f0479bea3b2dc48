#pragma once

#include "core/FieldDescriber.h"

namespace ostrapel::test {

// Two typed fields and one coded field, as the catalogue would describe them.
struct TestDescriber : FieldDescriber {
    std::optional<FieldType> fieldType(const QString& name) const override {
        if (name == QStringLiteral("5008")) return FieldType::Float;
        if (name == QStringLiteral("5009")) return FieldType::Date;
        return std::nullopt;
    }
    std::optional<QString> decode(const QString& name, const QString& code) const override {
        if (name != QStringLiteral("5002")) return std::nullopt;
        return code == QStringLiteral("1") ? QStringLiteral("PROL") : QString();
    }
};

} // namespace ostrapel::test
