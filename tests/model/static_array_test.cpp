#include <gtest/gtest.h>

#include <string>

#include "model/polygon.h"
#include "model/static_array.h"

using namespace tenzora;

TEST(StaticArray, GrowsByExactlyTwoHundredWhenTheNextAppendWouldFill) {
    TZStaticArray<int> a;
    EXPECT_EQ(a.capacity(), 0);
    a.append(0);
    EXPECT_EQ(a.capacity(), 200);
    for (int i = 1; i < 199; ++i)
        a.append(i);
    EXPECT_EQ(a.count(), 199);
    EXPECT_EQ(a.capacity(), 200);
    a.append(199); // count + 1 >= capacity: 199 + 200
    EXPECT_EQ(a.count(), 200);
    EXPECT_EQ(a.capacity(), 399);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(a.at(i), i);
}

TEST(StaticArray, ForgivingAccessReturnsTheFirstElementOrAScratchDefault) {
    TZStaticArray<Vertex> empty;
    Vertex& scratch = empty.at(3);
    EXPECT_EQ(scratch.x, 0.0);
    scratch.x = 42; // nobody keeps the scratch element: the next call is fresh again
    EXPECT_EQ(empty.at(0).x, 0.0);
    EXPECT_EQ(empty.checkedAt(0), nullptr);

    TZStaticArray<Vertex> three;
    for (int i = 0; i < 3; ++i)
        three.append(makeVertex(10.0 * (i + 1), 0));
    EXPECT_EQ(three.at(5).x, 10.0);
    EXPECT_EQ(three.at(-1).x, 10.0);
    EXPECT_EQ(three.at(2).x, 30.0);
    EXPECT_EQ(three.checkedAt(5), nullptr);
    EXPECT_EQ(three.checkedAt(-1), nullptr);
    ASSERT_NE(three.checkedAt(1), nullptr);
}

TEST(StaticArray, InsertRemoveClearAndCopyKeepOrderAndOwnership) {
    TZStaticArray<std::wstring> a;
    a.append(L"A");
    a.append(L"C");
    a.insertAt(1, L"B");
    a.insertAt(99, L"D"); // clamped to the end
    ASSERT_EQ(a.count(), 4);
    EXPECT_EQ(a.at(1), L"B");
    EXPECT_EQ(a.at(3), L"D");
    EXPECT_FALSE(a.removeAt(4));
    EXPECT_TRUE(a.removeAt(0));
    EXPECT_EQ(a.at(0), L"B");

    TZStaticArray<std::wstring> copy;
    copy.copyFrom(a);
    a.at(0) = L"changed";
    EXPECT_EQ(copy.at(0), L"B");
    EXPECT_EQ(copy.capacity(), a.capacity());

    a.clear();
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(a.capacity(), 0);
}

TEST(StaticArray, PolygonCopyCarriesTheDefinedFlag) {
    CPolygon p;
    p.append(makeVertex(1, 2));
    p.defined = true;
    CPolygon q;
    q.copyFrom(p);
    EXPECT_TRUE(q.defined);
    EXPECT_EQ(q.count(), 1);
    q.clear();
    EXPECT_FALSE(q.defined);
}
