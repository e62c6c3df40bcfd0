#include <gtest/gtest.h>

#include <random>

#include "storage/dynamic_memory.h"

using namespace tenzora;

TEST(DynamicMemory, GrowsBySizePlusNPlusGrowByEvenWhenExactlyFull) {
    TZDynamicMemory m(10);
    m.writeInt32(1); // 0 + 4 >= 0: capacity 0 + 4 + 10
    EXPECT_EQ(m.capacity(), 14);
    m.writeDouble(2); // 4 + 8 = 12 < 14: no growth
    EXPECT_EQ(m.capacity(), 14);
    m.writeByte(3);
    m.writeByte(4); // 13 + 1 = 14 >= 14: grows although it would fit exactly
    EXPECT_EQ(m.capacity(), 14 + 10);
    EXPECT_EQ(m.size(), 14);
}

TEST(DynamicMemory, ValuesRoundTripLittleEndian) {
    TZDynamicMemory m;
    m.writeByte(0xAB);
    m.writeInt32(-2);
    m.writeDouble(3.25);
    m.writeString("abc");
    m.writeWideString(L"Жи𝄞");
    EXPECT_EQ(static_cast<unsigned char>(m.bytes()[1]), 0xFE);
    EXPECT_EQ(static_cast<unsigned char>(m.bytes()[4]), 0xFF);
    EXPECT_EQ(m.readByte(), 0xAB);
    EXPECT_EQ(m.readInt32(), -2);
    EXPECT_EQ(m.readDouble(), 3.25);
    EXPECT_EQ(m.readString(), "abc");
    EXPECT_EQ(m.readWideString(), L"Жи𝄞");
    EXPECT_TRUE(m.atEnd());
}

TEST(DynamicMemory, ReadsPastTheEndGiveZeroAndNone) {
    TZDynamicMemory m;
    m.writeByte(1);
    m.writeByte(2);
    EXPECT_EQ(m.readInt32(), 0);
    EXPECT_TRUE(m.atEnd());
    EXPECT_EQ(m.readDouble(), 0.0);
    EXPECT_EQ(m.readString(), std::nullopt);

    TZDynamicMemory unterminated;
    unterminated.writeBytes("abc", 3);
    EXPECT_EQ(unterminated.readString(), std::nullopt);
    EXPECT_TRUE(unterminated.atEnd());

    TZDynamicMemory odd;
    odd.writeBytes("a\0b", 3); // a wide string needs a 16-bit zero at an even offset
    EXPECT_EQ(odd.readWideString(), std::nullopt);
}

TEST(DynamicMemory, AStreamWithoutDataReportsTheSyncError) {
    TZDynamicMemory m;
    bool sync = false;
    EXPECT_EQ(m.readString(&sync), std::nullopt);
    EXPECT_TRUE(sync);
    sync = false;
    m.writeByte(0);
    EXPECT_EQ(m.readString(&sync), std::string());
    EXPECT_FALSE(sync);
}

TEST(DynamicMemory, ReleaseKeepsGrowBy) {
    TZDynamicMemory m(7);
    m.writeInt32(5);
    m.release();
    EXPECT_EQ(m.size(), 0);
    EXPECT_EQ(m.capacity(), 0);
    EXPECT_EQ(m.data(), nullptr);
    EXPECT_EQ(m.growBy(), 7);
}

TEST(DynamicMemory, UnscrambleUndoesScrambleForEveryKeyAndLength) {
    std::mt19937 rng(7);
    for (int n : {1, 2, 3, 17, 1000}) {
        for (int key : {0, int('T'), int('z'), 255}) {
            TZDynamicMemory m;
            std::string original;
            for (int i = 0; i < n; ++i)
                original.push_back(static_cast<char>(rng()));
            m.assign(original);
            m.scramble(static_cast<std::uint8_t>(key));
            if (n > 1 && key != 0) {
                EXPECT_NE(m.bytes(), original);
            }
            m.unscramble(static_cast<std::uint8_t>(key));
            EXPECT_EQ(m.bytes(), original) << n << " " << key;
        }
    }
    TZDynamicMemory empty;
    empty.scramble('T');
    empty.unscramble('T');
    EXPECT_EQ(empty.size(), 0);
}

TEST(DynamicMemory, UnscrambleFollowsTheChainedXorDefinition) {
    // d = {1, 2, 3}, k = 5: step 1 d2 = 3^5 = 6; step 2 d0 = 1^2^5 = 6, d1 = 2^6^5 = 1;
    // step 3 e = {6^5, 6^1, 1^6} = {3, 7, 7}.
    TZDynamicMemory m;
    m.assign(std::string("\x01\x02\x03", 3));
    m.unscramble(5);
    EXPECT_EQ(m.bytes(), std::string("\x03\x07\x07", 3));
}
