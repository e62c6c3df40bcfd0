#pragma once
// Vertex names (A … Z, A1 … Z1, A2 …), side and diagonal names, and the name-key table that
// turns names typed with the Russian keyboard layout into Latin capitals.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tenzora {

// "" for a negative index; A..Z for 0..25; then the letter of i mod 26 followed by i div 26.
std::wstring vertexName(int index);

// The index of a name (upper-cased first). One character gives letter − 'A'. Otherwise the
// letters before the first digit are read in base 26 (A = 0) and the number after them, times
// 26, is added; a name without digits gives 0 and a name that begins with a digit gives
// number × 26. Used by the editor and the side panel.
int vertexIndex(std::wstring_view name);

// The dialogs' reader: letters are A = 1 … Z = 26 in base 26, the number times 26 is added and 1
// subtracted; −1 for any character that is neither a letter nor a digit (and for an empty name).
// Both readers agree on every name that vertexName produces.
int vertexIndexStrict(std::wstring_view name);

// The name of the smaller index followed by the name of the larger one (AD, not DA).
std::wstring pairName(int i, int j);

// Parses a side or diagonal name: exactly two characters are two letters; otherwise the text is
// split at '-' when present, else at the first letter that follows a digit. Each half must be a
// vertex name (letters, then optional digits). Returns the two indexes in the order written.
std::optional<std::pair<int, int>> parsePairName(std::wstring_view text);

// The 256-entry translation of Windows-1251 bytes for typed vertex names: Latin small letters to
// capitals, Cyrillic letters on Latin keys of the Russian layout to those Latin capitals, other
// Cyrillic small letters to their capitals, every other byte unchanged.
const std::array<unsigned char, 256>& nameKeys();

// The same translation for typed Unicode text (characters outside Windows-1251 are unchanged).
wchar_t nameKey(wchar_t ch);
std::wstring applyNameKeys(std::wstring_view text);

} // namespace tenzora
