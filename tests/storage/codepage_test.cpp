#include <gtest/gtest.h>

#include "storage/codepage.h"

using namespace tenzora;

TEST(Codepage, EveryWindows1251ByteDecodesToADistinctCharacterAndBack) {
    std::wstring seen;
    for (int b = 0; b < 256; ++b) {
        const wchar_t ch = codepage::decode1251(static_cast<unsigned char>(b));
        EXPECT_EQ(seen.find(ch), std::wstring::npos) << b;
        seen.push_back(ch);
        EXPECT_EQ(codepage::encode1251(ch), b) << b;
    }
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(codepage::toCp1251(codepage::fromCp1251(all)), all);
}

TEST(Codepage, RussianLettersAndSignsHaveTheirWindows1251Bytes) {
    EXPECT_EQ(codepage::toCp1251(L"АЯаяЁё№€—"), "\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x88\x97");
    EXPECT_EQ(codepage::fromCp1251("\xCA\xF3\xF5\xED\xFF"), L"Кухня");
    EXPECT_EQ(codepage::decode1251(0x98), codepage::kUnassigned1251);
    // What the code page cannot hold becomes "?".
    EXPECT_EQ(codepage::toCp1251(L"東Øa"), "??a");
}

TEST(Codepage, Utf16KeepsEveryUnitSequence) {
    const std::wstring text = L"Тверь 𝄞";
    const std::string units = codepage::toUtf16Le(text);
    EXPECT_EQ(units.size(), 2u * 8u); // six letters, a blank and a surrogate pair
    EXPECT_EQ(units.substr(12, 4), std::string("\x34\xD8\x1E\xDD", 4));
    EXPECT_EQ(codepage::fromUtf16Le(units), text);
    // An unpaired surrogate stays as it is.
    const std::string lone("\x00\xD8\x41\x00", 4);
    EXPECT_EQ(codepage::toUtf16Le(codepage::fromUtf16Le(lone)), lone);
}

TEST(Codepage, MalformedUtf8DecodesToReplacementCharacters) {
    EXPECT_EQ(codepage::fromUtf8("a\xFF"
                                 "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(codepage::fromUtf8("\xD0"), L"\xFFFD"); // cut off at the end
    EXPECT_EQ(codepage::toUtf8(codepage::fromUtf8("Зал №2 ☂")), "Зал №2 ☂");
}

// A lone half of a UTF-16 pair, as a damaged project file's text can hold, has no UTF-8 form:
// written as one it made the command line's JSON writer end the program.
TEST(Codepage, AHalfOfAUtf16PairEncodesAsTheReplacementMark) {
    std::wstring text = L"a";
    text.push_back(static_cast<wchar_t>(0xD83D));
    text.push_back(L'b');
    EXPECT_EQ(codepage::toUtf8(text), "a\xEF\xBF\xBD"
                                      "b");
}
