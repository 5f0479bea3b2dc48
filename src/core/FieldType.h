#pragma once

namespace ostrapel {

enum class FieldType { Text, Integer, Float, Date, Boolean, Other };

} // namespace ostrapel
