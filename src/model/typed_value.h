#pragma once
// A typed value checked against its physical range. An empty field stays "not given", as the
// program has always treated it; a text that holds no number, a value that is not finite, or one
// outside the range is refused with a message that names the field and the range.

#include <optional>
#include <string>
#include <string_view>

#include "model/typed_number.h"
#include "model/value_ranges.h"

namespace tenzora {

enum class TypedStatus { Empty, Value, Refused };

struct TypedValue {
    TypedStatus status = TypedStatus::Empty;
    double value = 0.0;   // the number read; 0 when empty or refused
    std::wstring refusal; // the message when refused
    bool refused() const { return status == TypedStatus::Refused; }
};

// Reads the field as readTypedNumber does (the leading number; "350 см" reads 350) and checks it.
// `zeroIsEmpty` keeps a typed 0 meaning "not given" where the program treats it so (a length of 0
// is not measured) instead of checking it against a range that excludes it.
TypedValue readTypedValue(std::wstring_view text, const ValueRange& range, std::wstring_view field,
                          DecimalComma comma = DecimalComma::Accepted, bool zeroIsEmpty = false);

// Checks a number that arrived already read (a command line option, a JSON value): nullopt when it
// is finite and inside the range, else the message.
std::optional<std::wstring> refusalOf(double value, const ValueRange& range, std::wstring_view field);

// "Поле «Длина»: введите число больше 0 и не больше 10000 см"
std::wstring rangeRefusalText(std::wstring_view field, const ValueRange& range);

} // namespace tenzora
