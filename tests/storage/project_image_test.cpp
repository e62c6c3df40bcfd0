#include <gtest/gtest.h>

#include "model/view_transform.h"
#include "storage/image_bytes.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using projectImage::kFormatCaption;
using projectImage::kFormatMessage;
using projectImage::kSyncMessage;

std::string imageOf(TZCeiling& doc) {
    TZDynamicMemory s;
    saveToStream(doc, s);
    return std::string(s.bytes());
}

// Loads bytes into the document; the result of the reader.
bool load(TZCeiling& doc, std::string_view bytes, bool* currentFormat = nullptr) {
    TZDynamicMemory s;
    s.assign(bytes);
    bool format = true;
    const bool ok = loadFromStream(doc, s, format);
    if (currentFormat) *currentFormat = format;
    return ok;
}

// Every member the project image stores, compared through the independently built image of each
// document, field by field so that a difference names its field.
void expectSameStoredMembers(const TZCeiling& a, const TZCeiling& b) {
    const ImageBytes x = expectedImage(a), y = expectedImage(b);
    for (int field = 1; field < 88; ++field) {
        const auto part = [field](const ImageBytes& i) {
            return i.bytes.substr(i.fieldStart.at(field),
                                  i.fieldStart.at(field + 1) - i.fieldStart.at(field));
        };
        EXPECT_EQ(part(x), part(y)) << "field " << field;
    }
}

} // namespace

// ---- layout and round trips ------------------------------------------------------------------

TEST(ProjectImage, WriterFollowsTheFieldTableForAProjectWithEveryListFilled) {
    TestDocument t;
    fillEveryField(*t);
    const ImageBytes expected = expectedImage(*t);
    const std::string written = imageOf(*t);
    ASSERT_EQ(written.size(), expected.bytes.size());
    // Find the first field that differs, to say which one is out of place.
    for (const auto& [field, start] : expected.fieldStart) {
        const std::size_t end = field == 88 ? written.size() : expected.fieldStart.at(field + 1);
        EXPECT_EQ(written.substr(start, end - start), expected.bytes.substr(start, end - start))
            << "field " << field;
    }
    // Texts: Windows-1251 bytes for the order data, UTF-16LE for the ceiling type.
    EXPECT_NE(written.find("\xCA\xF3\xF5\xED\xFF", 0), std::string::npos);          // "Кухня"
    EXPECT_NE(written.find(std::string("\x21\x04\x30\x04", 4)), std::string::npos); // "Са" as UTF-16LE
}

TEST(ProjectImage, EveryFieldLandsInItsMember) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes image = expectedImage(*source);

    TestDocument loaded;
    bool format = false;
    ASSERT_TRUE(load(*loaded, image.bytes, &format));
    EXPECT_TRUE(format);
    expectSameStoredMembers(*source, *loaded);
    EXPECT_TRUE(loaded.ui.messages.empty());
    // The shown photo (stored 1-based) has its drawing corners from its pixel rectangle.
    const TZPicture& shown = loaded->photos.at(1);
    EXPECT_TRUE(shown.placed);
    double x = 0, y = 0;
    screenToWorld(*loaded, shown.rect.left, shown.rect.top, x, y);
    EXPECT_EQ(shown.corner1.x, x);
    EXPECT_EQ(shown.corner1.y, y);
    screenToWorld(*loaded, shown.rect.right, shown.rect.bottom, x, y);
    EXPECT_EQ(shown.corner2.x, x);
    EXPECT_EQ(shown.corner2.y, y);
    EXPECT_FALSE(loaded->photos.at(0).placed);
}

TEST(ProjectImage, RoundTripsAreByteExact) {
    TestDocument source;
    fillEveryField(*source);
    const std::string first = imageOf(*source);
    TestDocument copy;
    ASSERT_TRUE(load(*copy, first));
    EXPECT_EQ(imageOf(*copy), first);

    // An empty project: the header and the fixed fields, every count 0.
    TestDocument empty;
    const std::string emptyImage = imageOf(*empty);
    EXPECT_EQ(emptyImage, expectedImage(*empty).bytes);
    TestDocument emptyCopy;
    fillEveryField(*emptyCopy);
    ASSERT_TRUE(load(*emptyCopy, emptyImage));
    expectSameStoredMembers(*empty, *emptyCopy);
    EXPECT_EQ(imageOf(*emptyCopy), emptyImage);
}

TEST(ProjectImage, ShownPhotoKeepsItsRectangleAndFollowsItsCornersWhenMoved) {
    TestDocument t;
    fillEveryField(*t);
    // Extreme view values, where converting pixels to centimetres and back is not exact.
    t->view.panX = 2'000'000'000;
    t->view.viewWidth = -2'000'000'000;
    t->view.scaleX = 3.3e-7f;
    t->photos.at(1).rect = {1'999'999'999, -7, -2'000'000'000, 123456789};
    const std::string first = imageOf(*t);
    TestDocument copy;
    ASSERT_TRUE(load(*copy, first));
    EXPECT_EQ(imageOf(*copy), first);

    // Moving the photo on the drawing moves its rectangle.
    TestDocument plain;
    fillEveryField(*plain);
    ASSERT_TRUE(load(*plain, imageOf(*plain)));
    TZPicture& photo = plain->photos.at(1);
    photo.corner1.x += 10 * plain->view.scaleX;
    photo.corner2.y += 20 * plain->view.scaleY;
    const PixelRect before = photo.rect;
    imageOf(*plain);
    EXPECT_EQ(photo.rect.left, before.left + 10);
    EXPECT_EQ(photo.rect.bottom, before.bottom + 20);
    EXPECT_EQ(photo.rect.top, before.top);
}

TEST(ProjectImage, HeaderCarriesThePriceTagOfAtMost29Bytes) {
    TestDocument t;
    t->priceTag = "12345.67";
    EXPECT_EQ(projectHeaderOf(imageOf(*t)), std::string("Tenzora file format. Version 1.01. $12345.67"));
    t->priceTag = std::string(40, '9');
    EXPECT_EQ(projectHeaderOf(imageOf(*t))->size(), 36u + 29u);
    // The reader ignores the tag: two images that differ only there load alike.
    TestDocument a, b;
    fillEveryField(*a);
    a->priceTag = "1";
    const std::string withTag = imageOf(*a);
    ASSERT_TRUE(load(*b, withTag));
    b->priceTag.clear();
    a->priceTag.clear();
    EXPECT_EQ(imageOf(*b), imageOf(*a));
}

// ---- value rules ---------------------------------------------------------------------------------

TEST(ProjectImage, GridStepIsWrittenWholeAndVisitsAsTheirLowByte) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 0}, {0, 100}});
    t->view.gridStep = 20.7;
    t->diagonals.at(0).visits = 300;
    t->diagonals.at(1).isSide = 5;
    const std::string image = imageOf(*t);
    const ImageBytes layout = expectedImage(*t);
    EXPECT_EQ(image.substr(layout.fieldStart.at(9), 4), std::string("\x14\0\0\0", 4));
    TestDocument copy;
    ASSERT_TRUE(load(*copy, image));
    EXPECT_EQ(copy->view.gridStep, 20.0);
    EXPECT_EQ(copy->diagonals.at(0).visits, 44);
    EXPECT_EQ(copy->diagonals.at(1).isSide, 1);
}

TEST(ProjectImage, ScalesAreNarrowedToSinglePrecision) {
    TestDocument t;
    ImageBytes b = expectedImage(*t);
    std::string bytes = b.bytes;
    ImageBytes scale;
    scale.f64(0.1);
    bytes.replace(b.fieldStart.at(31), 8, scale.bytes);
    ASSERT_TRUE(load(*t, bytes));
    EXPECT_EQ(t->view.scaleX, 0.1f);
    // A scale that is not a positive number would freeze the view; it reads as 1.
    ImageBytes zero;
    zero.f64(0.0);
    bytes.replace(b.fieldStart.at(32), 8, zero.bytes);
    ASSERT_TRUE(load(*t, bytes));
    EXPECT_EQ(t->view.scaleY, 1.0f);
}

TEST(ProjectImage, ReferencesBecomeIndexesOnlyInsideTheirList) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    const int records = source->diagonals.count();
    const int vertices = source->polygon.count();
    struct Ref {
        int field;
        int count;
        std::int32_t TZEditorState::*member;
    };
    const Ref refs[] = {
        {19, records, &TZEditorState::currentDiagonal}, {20, vertices, &TZEditorState::draggedVertex},
        {22, vertices, &TZEditorState::editorVertex2},  {23, vertices, &TZEditorState::pendingVertex},
        {43, records, &TZEditorState::hoverDiagonal},   {44, vertices, &TZEditorState::hoverVertex}};
    for (const Ref& ref : refs) {
        for (const auto& [stored, expected] : std::vector<std::pair<int, int>>{
                 {-1, -1}, {0, 0}, {ref.count - 1, ref.count - 1}, {ref.count, -1}}) {
            ImageBytes patched = b;
            patched.patchI32(b.fieldStart.at(ref.field), stored);
            TestDocument t;
            ASSERT_TRUE(load(*t, patched.bytes));
            EXPECT_EQ((*t).editor.*(ref.member), expected) << "field " << ref.field << " stored " << stored;
        }
    }
    // The shown photo is stored 1-based, 0 for none.
    const int photos = source->photos.count();
    for (const auto& [stored, expected] : std::vector<std::pair<int, int>>{
             {0, -1}, {1, 0}, {photos, photos - 1}, {photos + 1, -1}, {-1, -1}}) {
        ImageBytes patched = b;
        patched.patchI32(b.fieldStart.at(86), stored);
        TestDocument t;
        ASSERT_TRUE(load(*t, patched.bytes));
        EXPECT_EQ(t->shownPhoto, expected) << "stored " << stored;
    }
}

TEST(ProjectImage, ShortOrderListIsRebuiltConstructionsFirst) {
    TestDocument source;
    fillEveryField(*source);
    source->dopHoleOrder.clear();
    source->dopHoleOrder.append({kOrderCutout, 1}); // fewer entries than constructions and cutouts
    TestDocument t;
    ASSERT_TRUE(load(*t, expectedImage(*source).bytes));
    ASSERT_EQ(t->dopHoleOrder.count(), 4);
    const int expected[4][2] = {
        {kOrderConstruction, 0}, {kOrderConstruction, 1}, {kOrderCutout, 0}, {kOrderCutout, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t->dopHoleOrder.at(i).type, expected[i][0]);
        EXPECT_EQ(t->dopHoleOrder.at(i).index, expected[i][1]);
    }
    // A list at least as long as both is kept as stored, even when it names odd entries.
    source->dopHoleOrder.clear();
    for (int i = 0; i < 4; ++i)
        source->dopHoleOrder.append({kOrderCutout, 9});
    ASSERT_TRUE(load(*t, expectedImage(*source).bytes));
    EXPECT_EQ(t->dopHoleOrder.at(0).index, 9);
}

TEST(ProjectImage, MaterialNameIsCutToItsFieldAndKeptWhenMissing) {
    TestDocument source;
    source->material.name = std::string(200, 'x');
    const std::string image = imageOf(*source); // the writer stores what the field holds
    EXPECT_NE(image.find(std::string(149, 'x') + '\0'), std::string::npos);

    ImageBytes b = expectedImage(*source); // a damaged file with the full 200 bytes
    TestDocument t;
    ASSERT_TRUE(load(*t, b.bytes));
    EXPECT_EQ(t->material.name, std::string(149, 'x'));

    // An image ending inside the name: the name keeps its text, every other text becomes empty.
    TestDocument cut;
    cut->material.name = "old";
    cut->orderName = L"old";
    TestDocument named;
    named->orderName = L"Кухня";
    named->material.name = "abcdef";
    const ImageBytes nb = expectedImage(*named);
    ASSERT_TRUE(load(*cut, nb.bytes.substr(0, nb.fieldStart.at(40) + 2)));
    EXPECT_EQ(cut->material.name, "old");
    EXPECT_EQ(cut->orderName, L"Кухня");
    EXPECT_EQ(cut->note, L"");
}

// ---- headers ---------------------------------------------------------------------------------

TEST(ProjectImage, ForeignHeaderIsRefusedAndLeavesTheDocumentUntouched) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    // Neither the name at the start nor the phrase after it.
    const std::string bytes =
        std::string("Tenzorb file version 1.01") + '\0' + b.bytes.substr(b.fieldStart.at(2));

    TestDocument t;
    fillEveryField(*t);
    t->currentFormat = false; // a project of the previous format is open
    const std::string before = imageOf(*t);
    EXPECT_FALSE(load(*t, bytes));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, kFormatMessage);
    EXPECT_EQ(t.ui.messages[0].caption, kFormatCaption);
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(imageOf(*t), before);
    EXPECT_FALSE(t->currentFormat);
}

TEST(ProjectImage, HeaderIsAcceptedByItsNameOrByThePhraseAfterTheFirstCharacter) {
    TestDocument source;
    source->orderName = L"Зал";
    const ImageBytes b = expectedImage(*source);
    const std::string body = b.bytes.substr(b.fieldStart.at(2));
    auto withHeader = [&](const std::string& header) { return header + '\0' + body; };
    struct Case {
        const char* header;
        bool accepted;
    };
    const Case cases[] = {
        {"Tenzora", true}, // the name alone
        {"TenzoraXYZ anything", true},
        {"Roomcad file format. Version 7.3", true}, // another name, the phrase after it
        {"X file format. Version", true},
        {"file format. Version 1.01. $", false}, // the phrase at position 0
        {"tenzora file format", false},          // the name is case-sensitive
        {"", false},
    };
    for (const Case& c : cases) {
        TestDocument t;
        EXPECT_EQ(load(*t, withHeader(c.header)), c.accepted) << c.header;
        if (c.accepted) {
            EXPECT_EQ(t->orderName, L"Зал") << c.header;
        }
    }
    // A header that the data ends right after is refused.
    TestDocument t;
    EXPECT_FALSE(load(*t, std::string("Tenzora file format. Version 1.01. $") + '\0'));
}

TEST(ProjectImage, ScrambledImageIsAcceptedAfterUnscramblingWithK1ThenK2) {
    TestDocument source;
    fillEveryField(*source);
    const std::string plain = imageOf(*source);

    TZDynamicMemory scrambled;
    scrambled.assign(plain);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    ASSERT_NE(scrambled.bytes().substr(0, 7), "Tenzora");
    EXPECT_EQ(projectHeaderOf(scrambled.bytes()), projectHeaderOf(plain));
    TestDocument t;
    bool format = false;
    ASSERT_TRUE(loadFromStream(*t, scrambled, format));
    EXPECT_TRUE(format);
    expectSameStoredMembers(*source, *t);
    EXPECT_EQ(scrambled.bytes(), plain); // the buffer stays unscrambled
    EXPECT_TRUE(t.ui.messages.empty());

    // Scrambled with one of the two keys only: refused.
    for (std::string keys :
         {std::string(1, char(scrambleKeys::K1)), std::string(1, char(scrambleKeys::K2))}) {
        TZDynamicMemory other;
        other.assign(plain);
        for (char k : keys)
            other.scramble(static_cast<std::uint8_t>(k));
        TestDocument u;
        EXPECT_FALSE(loadFromStream(*u, other, format)) << keys;
        EXPECT_TRUE(u.ui.saw(kFormatMessage));
    }
}

TEST(ProjectImage, EmptyStreamReportsTheLostSynchronisationAndTheFormat) {
    TestDocument t;
    TZDynamicMemory empty;
    bool format = true;
    EXPECT_FALSE(loadFromStream(*t, empty, format));
    const std::vector<std::wstring> expected = {kSyncMessage, kFormatMessage};
    EXPECT_EQ(t.ui.texts(), expected);
}

// ---- short and damaged images ------------------------------------------------------------------

TEST(ProjectImage, TruncationAtEveryByteNeverFailsAndKeepsWhatWasRead) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    const std::size_t headerEnd = b.fieldStart.at(2);
    TestDocument t;
    for (std::size_t cut = 0; cut <= b.bytes.size(); ++cut) {
        const std::string prefix = b.bytes.substr(0, cut);
        const bool accepted = load(*t, prefix);
        ASSERT_EQ(accepted, cut > headerEnd) << cut;
    }
    // Cut at a field boundary, whatever was read is written back unchanged in front.
    for (const auto& [field, start] : b.fieldStart) {
        if (field < 2) continue;
        TestDocument u;
        ASSERT_TRUE(load(*u, b.bytes.substr(0, std::max(start, headerEnd + 1))));
        if (start <= headerEnd) continue;
        EXPECT_EQ(imageOf(*u).substr(0, start), b.bytes.substr(0, start)) << "cut before field " << field;
    }
}

TEST(ProjectImage, MissingValuesReadAsZerosAndEmptyLists) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    TestDocument t;
    fillEveryField(*t);
    ASSERT_TRUE(load(*t, b.before(13))); // ends after the order number
    EXPECT_EQ(t->orderNumber, L"№ 17");
    EXPECT_EQ(t->polygon.count(), 0);
    EXPECT_FALSE(t->polygon.defined);
    EXPECT_EQ(t->view.panX, 0);
    EXPECT_EQ(t->editor.mode, 0);
    EXPECT_EQ(t->editor.currentDiagonal, 0); // index 0 of the records that were read
    EXPECT_EQ(t->editor.draggedVertex, -1);  // index 0 of the empty outline is none
    EXPECT_EQ(t->seamLines.count(), 0);
    EXPECT_EQ(t->material.id, 0);
    EXPECT_EQ(t->material.width, 0.0);
    EXPECT_EQ(t->material.name, source->material.name); // a missing name keeps its text
    EXPECT_EQ(t->dops.count(), 0);
    EXPECT_EQ(t->holes.count(), 0);
    EXPECT_EQ(t->dopHoleOrder.count(), 0);
    EXPECT_EQ(t->note, L"");
    EXPECT_FALSE(t->modified);
    EXPECT_EQ(t->city, 0);
    EXPECT_EQ(t->ceilingType, L"");
    EXPECT_EQ(t->extraWorks.count(), 0);
    EXPECT_EQ(t->photos.count(), 0);
    EXPECT_EQ(t->shownPhoto, -1);
    EXPECT_EQ(t->tensionY, 0.0);
    EXPECT_EQ(t->view.scaleX, 1.0f); // not 0: a zero scale would freeze the view
}

TEST(ProjectImage, ImageEndingAfterTheExtraWorksIsOfThePreviousFormat) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    TestDocument t;
    t->tensionY = -1.0;
    bool format = true;
    ASSERT_TRUE(load(*t, b.before(84), &format));
    EXPECT_FALSE(format);
    EXPECT_EQ(t->extraWorks.count(), 2);
    EXPECT_EQ(t->photos.count(), 0);
    EXPECT_EQ(t->shownPhoto, -1);
    EXPECT_EQ(t->tensionY, 0.0);
    // One byte more and it is of the current format.
    ASSERT_TRUE(load(*t, b.bytes.substr(0, b.fieldStart.at(84) + 1), &format));
    EXPECT_TRUE(format);
}

TEST(ProjectImage, ReceiptImageEndingAfterTheOffcutsLoadsWithoutConstructions) {
    TestDocument source;
    fillEveryField(*source);
    const ImageBytes b = expectedImage(*source);
    TestDocument t;
    fillEveryField(*t);
    ASSERT_TRUE(load(*t, b.before(49)));
    EXPECT_EQ(t->materialQuantity, 13.5);
    EXPECT_EQ(t->offcuts, 1.25);
    EXPECT_EQ(t->material.name, source->material.name);
    EXPECT_EQ(t->dops.count(), 0);
    EXPECT_EQ(t->holes.count(), 0);
    EXPECT_EQ(t->dopHoleOrder.count(), 0);
    EXPECT_EQ(t->extraWorks.count(), 0);
    EXPECT_EQ(t->photos.count(), 0);
}

// Each list's count at its limit is read; one above ends reading there with result true: the
// list stays empty and every later member keeps its previous value.
TEST(ProjectImage, CountLimitsStopReadingOneAboveTheLimit) {
    struct Limit {
        const char* list;
        int field;
        int limit;
        int (*count)(const TZCeiling&);
    };
    const Limit limits[] = {
        {"diagonals", 6, 10000, [](const TZCeiling& d) { return d.diagonals.count(); }},
        {"polygon", 13, 10000, [](const TZCeiling& d) { return d.polygon.count(); }},
        {"seamLines", 24, 10000, [](const TZCeiling& d) { return d.seamLines.count(); }},
        {"rulerPoints", 33, 10000, [](const TZCeiling& d) { return d.editor.rulerPoints.count(); }},
        {"addPoints", 45, 20000, [](const TZCeiling& d) { return d.addPoints.count(); }},
        {"dops", 49, 10000, [](const TZCeiling& d) { return d.dops.count(); }},
        {"canvasLengths", 64, 10000, [](const TZCeiling& d) { return d.canvasLengths.count(); }},
        {"holes", 68, 10000, [](const TZCeiling& d) { return d.holes.count(); }},
        {"dopHoleOrder", 70, 10000, [](const TZCeiling& d) { return d.dopHoleOrder.count(); }},
        {"extraWorks", 82, 10000, [](const TZCeiling& d) { return d.extraWorks.count(); }},
        {"photos", 84, 10000, [](const TZCeiling& d) { return d.photos.count(); }},
    };
    TestDocument empty;
    empty->view.snapToGrid = true; // the first member: read before any count
    const ImageBytes b = expectedImage(*empty);
    for (const Limit& l : limits) {
        ImageBytes patched = b;
        patched.patchI32(b.fieldStart.at(l.field), l.limit);
        TestDocument at;
        ASSERT_TRUE(load(*at, patched.bytes)) << l.list;
        EXPECT_EQ(l.count(*at), l.limit) << l.list;

        patched.patchI32(b.fieldStart.at(l.field), l.limit + 1);
        TestDocument above;
        above->tensionY = 123.0; // the last member: must keep its value
        above->polygon.defined = true;
        if (l.field != 6) setOutline(*above, {{0, 0}, {1, 0}, {0, 1}});
        ASSERT_TRUE(load(*above, patched.bytes)) << l.list;
        EXPECT_EQ(l.count(*above), 0) << l.list;
        EXPECT_TRUE(above->view.snapToGrid) << l.list;
        EXPECT_EQ(above->tensionY, 123.0) << l.list;
        if (l.field == 13) {
            EXPECT_TRUE(above->polygon.defined); // stored after the count
        }
    }
}

// Reading that stops at the cutouts' count still refreshes the constructions read before it, so
// the project reads back the same once saved (the computed width of a niche here).
TEST(ProjectImage, ReadingStoppedBeforeTheOrderListStillRefreshesTheConstructions) {
    TestDocument source;
    setOutline(*source, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    TZDop niche;
    niche.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    niche.vertex1 = 0;
    niche.vertex2 = 1;
    niche.distance1 = 50;
    niche.distance2 = 60;
    niche.depth = 30;
    niche.width = 1e-300; // a stale figure, as a damaged file may carry
    source->dops.append(niche);
    ImageBytes b = expectedImage(*source);
    b.patchI32(b.fieldStart.at(68), 10001);
    TestDocument first;
    ASSERT_TRUE(load(*first, b.bytes));
    EXPECT_EQ(first->dops.at(0).width, 290);
    const std::string saved = imageOf(*first);
    TestDocument second;
    ASSERT_TRUE(load(*second, saved));
    EXPECT_EQ(imageOf(*second), saved);
}

TEST(ProjectImage, CutoutRowLimitKeepsTheCutoutWithoutRowsAndStops) {
    TestDocument source;
    TZHole hole;
    hole.size1 = 33;
    hole.type = static_cast<std::int32_t>(TZHoleType::Circle);
    source->holes.append(hole);
    const ImageBytes b = expectedImage(*source);
    const std::size_t rowCount = b.fieldStart.at(69) + 8 + 4 + 4;

    ImageBytes atLimit = b;
    atLimit.patchI32(rowCount, 1000);
    TestDocument t;
    ASSERT_TRUE(load(*t, atLimit.bytes));
    ASSERT_EQ(t->holes.count(), 1);
    EXPECT_EQ(t->holes.at(0).rows.count(), 1000);

    ImageBytes above = b;
    above.patchI32(rowCount, 1001);
    TestDocument u;
    u->seamFrom2 = 55;
    ASSERT_TRUE(load(*u, above.bytes));
    ASSERT_EQ(u->holes.count(), 1);
    EXPECT_EQ(u->holes.at(0).size1, 33.0);
    EXPECT_EQ(u->holes.at(0).rows.count(), 0);
    EXPECT_EQ(u->seamFrom2, 55);
    // The order list, not read, still lists every cutout that was.
    ASSERT_EQ(u->dopHoleOrder.count(), 1);
    EXPECT_EQ(u->dopHoleOrder.at(0).type, kOrderCutout);
    const std::string saved = imageOf(*u);
    TestDocument again;
    ASSERT_TRUE(load(*again, saved));
    EXPECT_EQ(imageOf(*again), saved);
}

TEST(ProjectImage, NegativeCountsGiveEmptyListsAndReadingGoesOn) {
    TestDocument source;
    source->orderName = L"Зал";
    source->city = 4;
    ImageBytes b = expectedImage(*source);
    for (int field : {6, 24, 33, 45, 49, 64, 68, 70, 82, 84})
        b.patchI32(b.fieldStart.at(field), -7);
    TestDocument t;
    ASSERT_TRUE(load(*t, b.bytes));
    EXPECT_EQ(t->orderName, L"Зал");
    EXPECT_EQ(t->city, 4);
}

TEST(ProjectImage, RebuiltOrderListNeverOutgrowsWhatAFileCarries) {
    TestDocument source;
    for (int i = 0; i < 6000; ++i) {
        source->dops.append(TZDop{});
        source->holes.append(TZHole{});
    }
    TestDocument t;
    ASSERT_TRUE(load(*t, imageOf(*source)));
    EXPECT_EQ(t->dopHoleOrder.count(), projectImage::kMaxListCount);
    EXPECT_EQ(t->dopHoleOrder.at(6000).type, kOrderCutout);
    // Saved and read again, nothing stops the reader and the bytes stay the same.
    const std::string saved = imageOf(*t);
    TestDocument again;
    again->tensionY = 5.0;
    ASSERT_TRUE(load(*again, saved));
    EXPECT_EQ(again->tensionY, -1.0);
    EXPECT_EQ(imageOf(*again), saved);
}
