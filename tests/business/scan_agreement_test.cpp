// The stock and client scans read the first fields of a project image as the project reader
// reads them: for a project with every list filled, whole, cut at any field or scrambled, each
// field a scan keeps equals what opening the project gives.

#include <gtest/gtest.h>

#include <cstring>

#include "business/client_scan.h"
#include "business/receipt.h"
#include "business/stock_scan.h"
#include "storage/codepage.h"
#include "storage/image_bytes.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string cp1251(const std::wstring& text, std::size_t field) {
    const std::string bytes = codepage::toCp1251(text);
    return bytes.substr(0, std::min(bytes.size(), field - 1));
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Opens the bytes as a project; false when the reader refuses them.
bool open(TZCeiling& doc, std::string_view bytes) {
    TZDynamicMemory s;
    s.assign(bytes);
    bool currentFormat = true;
    return loadFromStream(doc, s, currentFormat);
}

// Every field each scan keeps against the project the reader opened from the same bytes.
void expectScansAgree(std::string_view bytes, const std::string& where) {
    TestDocument t;
    const bool opened = open(*t, bytes);
    const std::optional<StockFields> stock = readStockFields(bytes);
    const std::optional<ClientFields> clients = readClientFields(bytes);
    ASSERT_EQ(stock.has_value(), opened) << where;
    if (!opened) return;
    EXPECT_EQ(stock->orderDate, cp1251(t->orderDate, MaterialBalance::kDateField)) << where;
    EXPECT_EQ(stock->client, cp1251(t->client, MaterialBalance::kClientField)) << where;
    EXPECT_EQ(stock->orderName, cp1251(t->orderName, MaterialBalance::kTitleField)) << where;
    EXPECT_EQ(stock->groupId, t->material.groupId) << where;
    EXPECT_EQ(stock->materialName, t->material.name) << where;
    EXPECT_TRUE(sameBits(stock->materialQuantity, t->materialQuantity)) << where;
    EXPECT_TRUE(sameBits(stock->offcuts, t->offcuts)) << where;
    ASSERT_TRUE(clients.has_value()) << where;
    EXPECT_EQ(clients->orderDate, codepage::toCp1251(t->orderDate)) << where;
    EXPECT_EQ(clients->client, codepage::toCp1251(t->client)) << where;
    EXPECT_EQ(clients->orderName, codepage::toCp1251(t->orderName)) << where;
    EXPECT_EQ(clients->orderNumber, codepage::toCp1251(t->orderNumber)) << where;
}

struct FilledProject {
    FilledProject() {
        fillEveryField(*t);
        t->priceTag = "18250.40";
        layout = expectedImage(*t);
    }
    TestDocument t;
    ImageBytes layout;
};

} // namespace

TEST(ScanAgreement, ScansKeepWhatTheReaderOpensWholeCutAtEveryFieldAndScrambled) {
    FilledProject p;
    ASSERT_GT(p.t->diagonals.count(), 0);
    ASSERT_GT(p.t->addPoints.count(), 0);
    expectScansAgree(p.layout.bytes, "whole");
    const std::optional<ClientFields> clients = readClientFields(p.layout.bytes);
    ASSERT_TRUE(clients);
    EXPECT_EQ(clients->price, "18250.40");

    for (int field = 2; field <= 49; ++field) {
        expectScansAgree(p.layout.before(field), "cut before field " + std::to_string(field));
        // Cut inside the field: the part of a value that is there reads as nothing.
        const std::string inside = p.layout.bytes.substr(0, p.layout.fieldStart.at(field) + 1);
        expectScansAgree(inside, "cut inside field " + std::to_string(field));
    }

    TZDynamicMemory scrambled;
    scrambled.assign(p.layout.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    expectScansAgree(scrambled.bytes(), "scrambled");
}

TEST(ScanAgreement, ACountBeyondWhatTheReaderTakesSkipsTheFileInTheScansThatReachIt) {
    FilledProject p;
    for (int field : {6, 13, 24, 33, 45}) {
        const int limit = field == 45 ? projectImage::kMaxAddPointCount : projectImage::kMaxListCount;
        ImageBytes damaged = p.layout;
        damaged.patchI32(damaged.fieldStart.at(field), limit + 1);
        EXPECT_FALSE(readStockFields(damaged.bytes)) << field;
        // The client scan reads no further than the order number.
        EXPECT_EQ(readClientFields(damaged.bytes).has_value(), field > 12) << field;
        // At the limit the list is read (or skipped) whole, and the fields after it move with it.
        ImageBytes atLimit = p.layout;
        atLimit.patchI32(atLimit.fieldStart.at(field), limit);
        expectScansAgree(atLimit.bytes, "count at limit in field " + std::to_string(field));
    }
}

TEST(ScanAgreement, AReceiptOpensAsTheProjectItsScanCounts) {
    Material fabric;
    fabric.id = 12;
    fabric.groupId = 4;
    fabric.tensionCoef = 0.91;
    fabric.offcutPriceCoef = 1.5;
    fabric.setName(codepage::toCp1251(L"Сатин белый"));
    fabric.width = 280;
    const std::string image = receiptImage(fabric, 25.5, L"03.04.2024");
    expectScansAgree(image, "receipt");

    TestDocument t;
    ASSERT_TRUE(open(*t, image));
    EXPECT_EQ(t->orderName, receipt::kTitle);
    EXPECT_EQ(t->orderDate, L"03.04.2024");
    EXPECT_EQ(t->material.id, 12);
    EXPECT_EQ(t->material.groupId, 4);
    EXPECT_EQ(t->material.tensionCoef, 0.91);
    EXPECT_EQ(t->material.offcutPriceCoef, 1.5);
    EXPECT_EQ(t->material.name, fabric.name);
    EXPECT_EQ(t->material.width, 280);
    EXPECT_EQ(t->materialQuantity, -25.5);
    EXPECT_EQ(t->dops.count(), 0);
    EXPECT_EQ(t->photos.count(), 0);
}
