#include <gtest/gtest.h>

#include "model/names.h"
#include "storage/codepage.h"

using namespace tenzora;

TEST(VertexNames, LettersThenNumberedRounds) {
    EXPECT_EQ(vertexName(-1), L"");
    EXPECT_EQ(vertexName(0), L"A");
    EXPECT_EQ(vertexName(25), L"Z");
    EXPECT_EQ(vertexName(26), L"A1");
    EXPECT_EQ(vertexName(27), L"B1");
    EXPECT_EQ(vertexName(51), L"Z1");
    EXPECT_EQ(vertexName(52), L"A2");
    EXPECT_EQ(vertexName(53), L"B2");
    EXPECT_EQ(vertexIndex(L"B2"), 53);
    EXPECT_EQ(vertexIndex(L"b2"), 53);
    EXPECT_EQ(vertexIndexStrict(L"B2"), 53);
}

TEST(VertexNames, BothReadersAgreeOnEveryGeneratedName) {
    for (int i = 0; i <= 1000; ++i) {
        const std::wstring name = vertexName(i);
        ASSERT_EQ(vertexIndex(name), i) << codepage::toUtf8(name);
        ASSERT_EQ(vertexIndexStrict(name), i) << codepage::toUtf8(name);
    }
}

TEST(VertexNames, ReadersOnOddInput) {
    EXPECT_EQ(vertexIndex(L"AB"), 0);       // no digits
    EXPECT_EQ(vertexIndex(L"12"), 12 * 26); // begins with a digit
    EXPECT_EQ(vertexIndexStrict(L"A-1"), -1);
    EXPECT_EQ(vertexIndexStrict(L""), -1);
    EXPECT_EQ(vertexIndexStrict(L"Ж"), -1);
    // Absurd numbers do not overflow.
    EXPECT_GT(vertexIndex(L"A99999999999999999999"), 0);
    EXPECT_GT(vertexIndexStrict(L"A99999999999999999999"), 0);
}

TEST(PairNames, SmallerIndexFirst) {
    EXPECT_EQ(pairName(3, 0), L"AD");
    EXPECT_EQ(pairName(0, 2), L"AC");
    EXPECT_EQ(pairName(27, 26), L"A1B1");
}

TEST(PairNames, ParsingTwoLettersDashAndDigitSplit) {
    using P = std::pair<int, int>;
    EXPECT_EQ(parsePairName(L"AB"), P(0, 1));
    EXPECT_EQ(parsePairName(L"ba"), P(1, 0));
    EXPECT_EQ(parsePairName(L"A1B1"), P(26, 27));
    EXPECT_EQ(parsePairName(L"B-C"), P(1, 2));
    EXPECT_EQ(parsePairName(L"A1-B"), P(26, 1));
    EXPECT_EQ(parsePairName(L"A10B2"), P(260, 53));
    EXPECT_FALSE(parsePairName(L"B-"));
    EXPECT_FALSE(parsePairName(L"-C"));
    EXPECT_FALSE(parsePairName(L"A"));
    EXPECT_FALSE(parsePairName(L"ABC"));
    EXPECT_FALSE(parsePairName(L"A1"));
    EXPECT_FALSE(parsePairName(L"1A"));
    EXPECT_FALSE(parsePairName(L"A?"));
    EXPECT_FALSE(parsePairName(L""));
}

// The length entry proposes the next record by its pair name and reads what is typed back with
// the same parser, so every pair of a large room must read back as the pair it names (AC1 is A
// and C1).
TEST(PairNames, EveryWrittenPairReadsBack) {
    constexpr int kVertices = 80;
    for (int i = 0; i < kVertices; ++i)
        for (int j = i + 1; j < kVertices; ++j)
            ASSERT_EQ(parsePairName(pairName(i, j)), std::make_pair(i, j)) << i << " " << j;
    EXPECT_EQ(parsePairName(L"ac1"), std::make_pair(0, 28));
}

TEST(NameKeys, RussianLayoutBecomesLatinCapitals) {
    EXPECT_EQ(applyNameKeys(L"ав"), L"FD");
    EXPECT_EQ(applyNameKeys(L"ФЫВА"), L"ASDF");
    EXPECT_EQ(applyNameKeys(L"йцукенгшщз"), L"QWERTYUIOP");
    EXPECT_EQ(applyNameKeys(L"ячсмить"), L"ZXCVBNM");
    EXPECT_EQ(applyNameKeys(L"ab1"), L"AB1");
    // Letters on other keys only become capitals; other characters stay.
    EXPECT_EQ(applyNameKeys(L"бжхъэюё"), L"БЖХЪЭЮЁ");
    EXPECT_EQ(applyNameKeys(L"-1 €"), L"-1 €");
    EXPECT_EQ(applyNameKeys(L"中"), L"中");
}

TEST(NameKeys, ByteTableMatchesTheWideForm) {
    const auto& table = nameKeys();
    for (int b = 0; b < 256; ++b) {
        const wchar_t ch = codepage::decode1251(static_cast<unsigned char>(b));
        EXPECT_EQ(codepage::decode1251(table[static_cast<std::size_t>(b)]), nameKey(ch)) << b;
    }
    EXPECT_EQ(table[static_cast<unsigned char>('a')], 'A');
    EXPECT_EQ(table[0xE9], 'Q');  // й
    EXPECT_EQ(table[0xC9], 'Q');  // Й
    EXPECT_EQ(table[0xA2], 0xA1); // ў → Ў
    EXPECT_EQ(table[0x31], 0x31);
}
