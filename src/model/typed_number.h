#pragma once
// Numbers typed into fields: the leading numeric part of the text is read (in the C locale,
// whatever the user's locale is); text that does not start with a number reads as 0.

#include <string_view>

namespace tenzora {

enum class DecimalComma { Rejected, Accepted };

// Blanks around the number are ignored; with DecimalComma::Accepted a comma counts as the
// decimal point. Infinite, not-a-number and out-of-range values read as 0.
double readTypedNumber(std::wstring_view text, DecimalComma comma = DecimalComma::Rejected);

} // namespace tenzora
