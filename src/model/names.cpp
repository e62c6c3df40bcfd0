#include "model/names.h"

#include <algorithm>
#include <cwctype>
#include <limits>

#include "storage/codepage.h"

namespace tenzora {

namespace {

// A number in a typed name is capped here so that absurd input cannot overflow the index.
constexpr long long kMaxNameNumber = 10'000'000;

wchar_t upperAscii(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
}
bool isLetter(wchar_t c) {
    return c >= L'A' && c <= L'Z';
}
bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

int clampToInt(long long v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

// A well-formed vertex name: one or more letters, then optional digits.
bool isVertexName(std::wstring_view name) {
    std::size_t i = 0;
    while (i < name.size() && isLetter(upperAscii(name[i])))
        ++i;
    if (i == 0) return false;
    while (i < name.size() && isDigit(name[i]))
        ++i;
    return i == name.size();
}

std::array<unsigned char, 256> buildNameKeys() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c - 32);

    // Cyrillic letters on the Latin letter keys of the standard Russian layout.
    const std::pair<wchar_t, char> keys[] = {
        {L'Й', 'Q'}, {L'Ц', 'W'}, {L'У', 'E'}, {L'К', 'R'}, {L'Е', 'T'}, {L'Н', 'Y'}, {L'Г', 'U'},
        {L'Ш', 'I'}, {L'Щ', 'O'}, {L'З', 'P'}, {L'Ф', 'A'}, {L'Ы', 'S'}, {L'В', 'D'}, {L'А', 'F'},
        {L'П', 'G'}, {L'Р', 'H'}, {L'О', 'J'}, {L'Л', 'K'}, {L'Д', 'L'}, {L'Я', 'Z'}, {L'Ч', 'X'},
        {L'С', 'C'}, {L'М', 'V'}, {L'И', 'B'}, {L'Т', 'N'}, {L'Ь', 'M'},
    };
    // The other Cyrillic small letters of the code page become their capitals.
    const std::pair<wchar_t, wchar_t> smallToCapital[] = {
        {L'б', L'Б'}, {L'ж', L'Ж'}, {L'х', L'Х'}, {L'ъ', L'Ъ'}, {L'э', L'Э'}, {L'ю', L'Ю'}, {L'ё', L'Ё'},
        {L'ђ', L'Ђ'}, {L'ѓ', L'Ѓ'}, {L'љ', L'Љ'}, {L'њ', L'Њ'}, {L'ќ', L'Ќ'}, {L'ћ', L'Ћ'}, {L'џ', L'Џ'},
        {L'ў', L'Ў'}, {L'ј', L'Ј'}, {L'ґ', L'Ґ'}, {L'є', L'Є'}, {L'ї', L'Ї'}, {L'і', L'І'}, {L'ѕ', L'Ѕ'},
    };
    auto byteOf = [](wchar_t c) { return static_cast<std::size_t>(codepage::encode1251(c)); };
    for (auto [cyr, latin] : keys) {
        const auto small = static_cast<wchar_t>(cyr + 0x20); // а..я follow А..Я by 0x20
        table[byteOf(cyr)] = static_cast<unsigned char>(latin);
        table[byteOf(small)] = static_cast<unsigned char>(latin);
    }
    for (auto [small, capital] : smallToCapital)
        table[byteOf(small)] = static_cast<unsigned char>(byteOf(capital));
    return table;
}

} // namespace

std::wstring vertexName(int index) {
    if (index < 0) return L"";
    std::wstring name(1, static_cast<wchar_t>(L'A' + index % 26));
    if (index >= 26) name += std::to_wstring(index / 26);
    return name;
}

int vertexIndex(std::wstring_view name) {
    if (name.size() == 1) return static_cast<int>(upperAscii(name[0])) - L'A';
    std::size_t firstDigit = 0;
    while (firstDigit < name.size() && !isDigit(name[firstDigit]))
        ++firstDigit;
    if (firstDigit == name.size()) return 0;
    long long letters = 0;
    for (std::size_t i = 0; i < firstDigit; ++i) {
        letters = letters * 26 + (static_cast<long long>(upperAscii(name[i])) - L'A');
        if (letters > kMaxNameNumber || letters < -kMaxNameNumber)
            letters = letters > 0 ? kMaxNameNumber : -kMaxNameNumber;
    }
    long long number = 0;
    for (std::size_t i = firstDigit; i < name.size() && isDigit(name[i]); ++i) {
        number = number * 10 + (name[i] - L'0');
        if (number > kMaxNameNumber) number = kMaxNameNumber;
    }
    return clampToInt(letters + number * 26);
}

int vertexIndexStrict(std::wstring_view name) {
    if (name.empty()) return -1;
    long long letters = 0;
    long long number = 0;
    for (wchar_t raw : name) {
        const wchar_t c = upperAscii(raw);
        if (isLetter(c)) {
            letters = letters * 26 + (c - L'A' + 1);
            if (letters > kMaxNameNumber) letters = kMaxNameNumber;
        } else if (isDigit(c)) {
            number = number * 10 + (c - L'0');
            if (number > kMaxNameNumber) number = kMaxNameNumber;
        } else {
            return -1;
        }
    }
    return clampToInt(letters + number * 26 - 1);
}

std::wstring pairName(int i, int j) {
    return i <= j ? vertexName(i) + vertexName(j) : vertexName(j) + vertexName(i);
}

std::optional<std::pair<int, int>> parsePairName(std::wstring_view text) {
    std::wstring_view first;
    std::wstring_view second;
    if (text.size() == 2) {
        first = text.substr(0, 1);
        second = text.substr(1, 1);
    } else if (const auto dash = text.find(L'-'); dash != std::wstring_view::npos) {
        first = text.substr(0, dash);
        second = text.substr(dash + 1);
    } else {
        std::size_t split = std::wstring_view::npos;
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (isDigit(text[i - 1]) && isLetter(upperAscii(text[i]))) {
                split = i;
                break;
            }
        }
        // A letter followed by a numbered name (AC1: A and C1) has no digit before a letter; it is
        // what pairName writes for a vertex of the first round and one of a later round, so the
        // program's own proposals read back.
        if (split == std::wstring_view::npos && text.size() > 2 && isLetter(upperAscii(text[0])) &&
            isLetter(upperAscii(text[1])) && std::all_of(text.begin() + 2, text.end(), isDigit))
            split = 1;
        if (split == std::wstring_view::npos) return std::nullopt;
        first = text.substr(0, split);
        second = text.substr(split);
    }
    if (!isVertexName(first) || !isVertexName(second)) return std::nullopt;
    return std::make_pair(vertexIndex(first), vertexIndex(second));
}

const std::array<unsigned char, 256>& nameKeys() {
    static const std::array<unsigned char, 256> table = buildNameKeys();
    return table;
}

wchar_t nameKey(wchar_t ch) {
    const int byte = codepage::encode1251(ch);
    if (byte < 0) return ch;
    return codepage::decode1251(nameKeys()[static_cast<std::size_t>(byte)]);
}

std::wstring applyNameKeys(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text)
        out.push_back(nameKey(ch));
    return out;
}

} // namespace tenzora
