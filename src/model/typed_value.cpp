#include "model/typed_value.h"

#include <charconv>
#include <cmath>
#include <string>

#include "model/formatting.h"

namespace tenzora {

namespace {

std::wstring boundText(double v) {
    // Whole bounds as whole numbers, others with the digits they need ("0.5").
    if (v == std::floor(v) && std::fabs(v) < 1e15) return std::to_wstring(static_cast<long long>(v));
    std::wstring t = formatNumber(v, 6);
    while (!t.empty() && t.back() == L'0')
        t.pop_back();
    if (!t.empty() && (t.back() == L'.' || t.back() == L',')) t.pop_back();
    return t;
}

bool blank(std::wstring_view text) {
    for (wchar_t c : text)
        if (c != L' ' && c != L'\t') return false;
    return true;
}

// Whether the text starts (after blanks and a sign) with a digit or a decimal point and a digit:
// readTypedNumber reads 0 from "abc", "nan" and "inf", which must not pass for a typed zero.
bool startsWithNumber(std::wstring_view text, DecimalComma comma) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    if (i < text.size() && (text[i] == L'.' || (text[i] == L',' && comma == DecimalComma::Accepted))) ++i;
    return i < text.size() && text[i] >= L'0' && text[i] <= L'9';
}

// Whether the leading number is within a double's range: readTypedNumber reads 0 from "1e400",
// a huge number the user typed, not a zero (and from "1e-400", which nobody means either).
bool leadingNumberInRange(std::wstring_view text, DecimalComma comma) {
    std::string ascii;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    if (i < text.size() && text[i] == L'+') ++i;
    for (; i < text.size() && ascii.size() < 64; ++i) {
        wchar_t c = text[i];
        if (c == L',' && comma == DecimalComma::Accepted) c = L'.';
        if (c < 0x20 || c > 0x7E) break;
        ascii.push_back(static_cast<char>(c));
    }
    double v = 0.0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    (void)end;
    return error == std::errc() && std::isfinite(v);
}

} // namespace

std::wstring rangeRefusalText(std::wstring_view field, const ValueRange& range) {
    std::wstring text = L"Поле «" + std::wstring(field) + L"»: введите число ";
    text += range.lowOpen ? L"больше " : L"от ";
    text += boundText(range.low);
    text += range.lowOpen ? L" и не больше " : L" до ";
    text += boundText(range.high);
    if (range.unit != nullptr && range.unit[0] != 0) text += L" " + std::wstring(range.unit);
    return text;
}

std::optional<std::wstring> refusalOf(double value, const ValueRange& range, std::wstring_view field) {
    if (valueRange::contains(range, value)) return std::nullopt;
    return rangeRefusalText(field, range);
}

TypedValue readTypedValue(std::wstring_view text, const ValueRange& range, std::wstring_view field,
                          DecimalComma comma, bool zeroIsEmpty) {
    TypedValue result;
    if (blank(text)) return result;
    if (!startsWithNumber(text, comma) || !leadingNumberInRange(text, comma)) {
        result.status = TypedStatus::Refused;
        result.refusal = rangeRefusalText(field, range);
        return result;
    }
    const double v = readTypedNumber(text, comma);
    if (v == 0 && zeroIsEmpty) return result;
    if (!valueRange::contains(range, v)) {
        result.status = TypedStatus::Refused;
        result.refusal = rangeRefusalText(field, range);
        return result;
    }
    result.status = TypedStatus::Value;
    result.value = v;
    return result;
}

} // namespace tenzora
