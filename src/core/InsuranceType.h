#pragma once

#include <QString>
#include <optional>

namespace ostrapel {

// The insurance type of a collectivity window's persons, stored and bound as
// its number. Field 1024 holds "Z" (sickness fund) or "P" (private) for the
// first, periods up to 2005-12, and a blank (standard insurance) for the
// second, periods from 2006-01.
enum class InsuranceType { SicknessFundOrPrivate = 1, Standard = 2 };

inline int toStored(InsuranceType type) {
    return static_cast<int>(type);
}

// The stored number read back; nullopt for any number but 1 and 2.
inline std::optional<InsuranceType> insuranceTypeFromStored(int stored) {
    switch (stored) {
    case 1:
        return InsuranceType::SicknessFundOrPrivate;
    case 2:
        return InsuranceType::Standard;
    default:
        return std::nullopt;
    }
}

} // namespace ostrapel
