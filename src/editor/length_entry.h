#pragma once
// "Установить" of the side panel: the typed length goes to the side or diagonal named in the
// name field, the outline is formed again, and the next item to measure is proposed. The panel
// reads its two fields, calls enterLength and writes the proposal back into the name field.

#include <optional>
#include <string>
#include <string_view>

namespace tenzora {

class TZCeiling;

struct LengthEntryResult {
    bool lengthSet = false; // a record received the length (and the outline was formed)
    bool formed = false;    // the result of that forming
    std::wstring nextName;  // the next side or diagonal to measure; empty: leave the field
    std::wstring refusal;   // the message when the typed length was refused (nothing changed)
};

// The name the length field goes by in messages.
inline constexpr wchar_t kLengthFieldName[] = L"Длина";

// The length field: a number with a comma or a point; anything else reads as 0.
double readLengthField(std::wstring_view text);

// The warning when the length cannot close a triangle with two measured records from another
// vertex k: "Диагональ AC не может быть больше 800.0 см (AB + BC)". Only the first such vertex
// is reported; none when every triangle can close.
std::optional<std::wstring> triangleWarning(const TZCeiling& doc, int a, int b, double length);

// A length that is not a number, not finite or outside the room lengths' range is refused with a
// message naming the range: nothing changes and no next item is proposed (the name field stays).
// An empty field or 0 is "not measured" and sets nothing, as before. Otherwise a positive length
// is set on the record the name field names (created when the pair has none, replacing a measured
// length), with the triangle warning shown when it applies; the outline is then formed from that
// record. A name that names no pair of vertices sets nothing. Except after a refusal, the next
// item to measure is proposed.
LengthEntryResult enterLength(TZCeiling& doc, std::wstring_view nameField, std::wstring_view lengthField);

} // namespace tenzora
