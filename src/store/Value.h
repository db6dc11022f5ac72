#pragma once

#include <QString>

#include <cstdint>
#include <variant>

namespace tiravo {

// A stored value: null, a whole number, a boolean or a text. The empty text
// is a value of its own, distinct from null.
using Value = std::variant<std::monostate, std::int64_t, bool, QString>;

inline bool IsNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

} // namespace tiravo
