// The print forms shipped in data/: each loads, names only known variables and stays on an A4
// page; together they use nearly every variable.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "output/print_form_file.h"
#include "output/report_fields.h"

using namespace tenzora;

namespace {

constexpr double kPageWidthMm = 210.0;
constexpr double kPageHeightMm = 297.0;

const std::filesystem::path kData = std::filesystem::path(TENZORA_SOURCE_DIR) / "data";

TZPrintForm load(const char* name, bool dealer = false, bool* ok = nullptr) {
    TZPrintForm form;
    const bool loaded = loadPrintForm(form, kData / name, dealer);
    if (ok) *ok = loaded;
    return form;
}

bool has(const TZPrintForm& form, PrintElemType type, int sizeOrVariable = -1) {
    for (const TZPrintFormElem& e : form)
        if (e.type == static_cast<int>(type) &&
            (sizeOrVariable < 0 || (type == PrintElemType::PrintVar ? e.variable : e.size) == sizeOrVariable))
            return true;
    return false;
}

} // namespace

TEST(ShippedForms, EachLoadsWithKnownVariablesOnAnA4Page) {
    std::set<int> used;
    for (const char* name : {"1-workshop.pem", "2-client.pem", "3-english.pem"}) {
        bool ok = false;
        const TZPrintForm form = load(name, false, &ok);
        ASSERT_TRUE(ok) << name;
        EXPECT_FALSE(form.name.empty()) << name;
        EXPECT_GT(form.count(), 40) << name; // no statement line was skipped silently below
        for (const TZPrintFormElem& e : form) {
            EXPECT_NE(e.type, static_cast<int>(PrintElemType::Unknown)) << name;
            EXPECT_GE(e.x, 0) << name;
            EXPECT_LE(e.x + e.width, kPageWidthMm) << name;
            EXPECT_LE(e.y + e.height, kPageHeightMm) << name;
            if (e.type == static_cast<int>(PrintElemType::PrintVar)) {
                EXPECT_NE(e.variable, 0) << name << ": " << std::string(e.text.begin(), e.text.end());
                used.insert(e.variable);
            }
        }
    }
    // Every variable but PRICE (always empty), LASTLETTER and WORK (five lines) is on a sheet.
    EXPECT_EQ(used.size(), static_cast<std::size_t>(kReportFieldCount - 3));
}

TEST(ShippedForms, WorkshopClientAndEnglishSheets) {
    const TZPrintForm workshop = load("1-workshop.pem");
    EXPECT_EQ(workshop.name, L"Лист для цеха (раскрой)");
    EXPECT_TRUE(has(workshop, PrintElemType::Figure, 4)); // the cutting layout
    EXPECT_TRUE(has(workshop, PrintElemType::PrintVar, field::kPolotna));
    // The cutting layout is not for dealers: the form is refused in dealer mode.
    bool ok = true;
    load("1-workshop.pem", true, &ok);
    EXPECT_FALSE(ok);

    const TZPrintForm client = load("2-client.pem");
    EXPECT_EQ(client.name, L"Лист для заказчика (стоимость)");
    EXPECT_TRUE(has(client, PrintElemType::PrintVar, field::kSumprice));
    EXPECT_TRUE(has(client, PrintElemType::PrintVar, field::kAddjob));
    EXPECT_TRUE(has(client, PrintElemType::Print, 5));
    load("2-client.pem", true, &ok);
    EXPECT_TRUE(ok);

    const TZPrintForm english = load("3-english.pem");
    EXPECT_EQ(english.name, L"Ceiling sheet (English)");
    // The switch comes first, so that every variable after it is in English on the first drawing.
    EXPECT_EQ(english.at(0).type, static_cast<int>(PrintElemType::English));
}
