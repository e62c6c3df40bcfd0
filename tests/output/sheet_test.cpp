#include <gtest/gtest.h>

#include <map>

#include "editor/drawing_cache.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/recording_surface.h"
#include "output/report_fields.h"
#include "output/sheet.h"
#include "output/sheet_variables_adapter.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// Variables by id; each text asked for also appends a line to the continuation.
class FakeVariables : public SheetVariables {
  public:
    std::wstring text(TZPrintForm& form, const TZPrintFormElem&, int id,
                      std::wstring& continuation) override {
        asked.push_back(id);
        englishSeen.push_back(form.english);
        continuation += L"overflow " + std::to_wstring(id) + L"\n";
        const auto it = texts.find(id);
        return it == texts.end() ? L"" : it->second;
    }
    std::map<int, std::wstring> texts;
    std::vector<int> asked;
    std::vector<bool> englishSeen;
};

TZPrintFormElem element(PrintElemType type, double x, double y, double w, double h, int size = 0) {
    TZPrintFormElem e;
    e.type = static_cast<std::int32_t>(type);
    e.x = x;
    e.y = y;
    e.width = w;
    e.height = h;
    e.size = size;
    return e;
}

// An A4 page drawn at 10 pixels per millimetre.
constexpr SheetPage kA4{0, 0, 2100, 2970, 210, 297};

struct SheetFixture {
    TestDocument t;
    AppSettings settings;
    FakeVariables variables;
    RecordingSurface surface{deviceMetricsFor(2100, 2970, 254)};
    TZPrintForm& form;

    SheetFixture() : form(*t->resources.printForms.append()) { t->printFormIndex = 0; }

    bool draw(bool firstPage, std::wstring& continuation, const SheetPage& page = kA4) {
        surface.clear();
        return drawSheet(*t, surface, continuation, firstPage, page, SheetServices{settings, variables});
    }
    bool draw() {
        std::wstring continuation;
        return draw(true, continuation);
    }
};

} // namespace

TEST(Sheet, AnA4PagePlacesElementsByMillimetresAndSizesFontsByThePageWidth) {
    SheetFixture f;
    TZPrintFormElem print = element(PrintElemType::Print, 10, 12, 0, 0, 5);
    print.text = L"Итого";
    f.form.append(print);
    ASSERT_TRUE(f.draw());
    const auto texts = f.surface.ofKind(RecordKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->point, (Point{100, 120}));
    EXPECT_EQ(f.surface.text(*texts[0]), L"Итого");
    const Font& font = texts[0]->state.font;
    EXPECT_EQ(font.height, 50);
    EXPECT_EQ(font.weight, kWeightBold);
    EXPECT_EQ(font.face, FaceName(kTahoma));
    EXPECT_EQ(font.charSet, kCharSetCyrillic);
    EXPECT_EQ(font.outPrecision, kOutPrecisionTrueTypeOnly);
    EXPECT_EQ(font.pitchAndFamily, kVariablePitchSwiss);
    EXPECT_EQ(texts[0]->state.textAlign, kAlignTopLeft);
}

TEST(Sheet, AVariableWithTabsIsWrittenAsTabbedLinesWithTheSheetsStops) {
    SheetFixture f;
    TZPrintFormElem var = element(PrintElemType::PrintVar, 10, 12, 100, 50, 5);
    var.variable = reportFieldId(L"ADDJOB");
    f.form.append(var);
    f.variables.texts[var.variable] = L"Работа\t2\t300.00\nДругая\t1\t50.00\n";
    ASSERT_TRUE(f.draw());
    const auto lines = f.surface.ofKind(RecordKind::TabbedText);
    ASSERT_EQ(lines.size(), 3u); // the text's last line feed leaves an empty last line
    EXPECT_EQ(lines[0]->point, (Point{100, 120}));
    EXPECT_EQ(lines[1]->point, (Point{100, 171}));
    const auto stops = f.surface.tabStops(*lines[0]);
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0], 100);
    EXPECT_EQ(stops[1] - 100, 1495);
    EXPECT_EQ(stops[2] - 100, 1638);
    EXPECT_EQ(lines[0]->tabOrigin, 0);
    EXPECT_EQ(f.surface.text(*lines[1]), L"Другая\t1\t50.00");
}

TEST(Sheet, AVariableWithoutTabsIsWrappedIntoItsBoxAndAnUnknownNamePrintsNothing) {
    SheetFixture f;
    TZPrintFormElem var = element(PrintElemType::PrintVar, 10, 20, 100, 30, 4);
    var.variable = reportFieldId(L"SIDES");
    f.form.append(var);
    TZPrintFormElem unknown = var;
    unknown.variable = 0;
    f.form.append(unknown);
    // A tab as the very first character does not make tabbed lines.
    f.variables.texts[var.variable] = L"\tAB=250.0; BC=300.0";
    ASSERT_TRUE(f.draw());
    const auto wrapped = f.surface.ofKind(RecordKind::WrappedText);
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_EQ(wrapped[0]->rect, (Rect{100, 200, 1100, 500}));
    EXPECT_EQ(wrapped[0]->state.font.height, 40);
    EXPECT_EQ(f.variables.asked, (std::vector<int>{var.variable}));
}

TEST(Sheet, ALineRunsByItsExtentWithAPenScaledToThePage) {
    SheetFixture f;
    f.form.append(element(PrintElemType::Line, 100, 50, -20.5, 10));
    ASSERT_TRUE(f.draw());
    const auto lines = f.surface.ofKind(RecordKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    const auto p = f.surface.points(*lines[0]);
    EXPECT_EQ(p[0], (Point{1000, 500}));
    EXPECT_EQ(p[1], (Point{795, 600}));
    EXPECT_EQ(lines[0]->state.pen, solidPen(2, kBlack));
}

TEST(Sheet, TheLogoFillsTheWidthOfItsBoxAndLeavesTheRestWhite) {
    SheetFixture f;
    f.t->resources.printLogo = Bitmap{400, 100, std::vector<std::uint32_t>(40000, 0xFF123456u)};
    f.form.append(element(PrintElemType::Logo, 10, 12, 40, 17.6));
    ASSERT_TRUE(f.draw());
    const auto fill = f.surface.ofKind(RecordKind::FillRect);
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(fill[0]->rect, (Rect{100, 120, 500, 296}));
    EXPECT_EQ(fill[0]->color, kWhite);
    const auto bitmaps = f.surface.ofKind(RecordKind::Bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->rect, (Rect{100, 120, 500, 220}));
    // A tall picture spans the height and keeps its proportions.
    EXPECT_EQ(fittedPicture({0, 0, 400, 176}, 100, 400), (Rect{0, 0, 44, 176}));
    EXPECT_TRUE(fittedPicture({0, 0, 400, 176}, 0, 400).isEmpty());
    // On a device that cannot copy bitmaps nothing is drawn for it.
    f.surface.setMetrics(deviceMetricsFor(2100, 2970, 254, false));
    ASSERT_TRUE(f.draw());
    EXPECT_EQ(f.surface.count(RecordKind::Bitmap), 0u);
}

TEST(Sheet, APictureShowsTheProjectPhotoOfItsNumber) {
    SheetFixture f;
    TZPicture photo;
    photo.image = Bitmap{2, 1, {0xFF000000u, 0xFFFFFFFFu}};
    f.t->photos.append(photo);
    f.form.append(element(PrintElemType::Picture, 0, 0, 50, 50, 1));
    f.form.append(element(PrintElemType::Picture, 0, 0, 50, 50, 2)); // no such photo
    f.form.append(element(PrintElemType::Picture, 0, 0, 50, 50, 0));
    ASSERT_TRUE(f.draw());
    const auto bitmaps = f.surface.ofKind(RecordKind::Bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0]->rect, (Rect{0, 0, 500, 250}));
}

TEST(Sheet, AFigureDrawsTheDrawingClippedToItsBoxAndRecordsTheScale) {
    SheetFixture f;
    setOutline(*f.t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    f.t->editor.mode = kModePoints;
    TZPrintFormElem figure = element(PrintElemType::Figure, 10, 20, 100, 100, 2);
    figure.percent = 150;
    f.form.append(figure);
    f.form.append(element(PrintElemType::English, 0, 0, 0, 0));
    ASSERT_TRUE(f.draw());
    // The 440 cm wide box fills 1000 pixels: 10 pixels per millimetre make 4.4 cm per millimetre.
    EXPECT_NEAR(f.form.scale, 4.4, 1e-9);
    EXPECT_TRUE(f.form.english);
    EXPECT_EQ(f.t->editor.mode, kModePoints);
    EXPECT_EQ(f.t->fontScale, 1.0);
    const auto clips = f.surface.ofKind(RecordKind::PushClipRect);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0]->rect, (Rect{100, 200, 1100, 1200}));
    EXPECT_EQ(f.surface.count(RecordKind::PopClip), 1u);
    // Everything the drawing drew lies in the box.
    for (const SurfaceRecord* r : f.surface.ofKind(RecordKind::Polyline))
        for (const Point& p : f.surface.points(*r)) {
            EXPECT_GE(p.x, 100);
            EXPECT_LE(p.x, 1100);
            EXPECT_GE(p.y, 200);
            EXPECT_LE(p.y, 1200);
        }
}

TEST(Sheet, AFigureOfTheLayoutFailsInDealerModeAndStopsTheSheet) {
    SheetFixture f;
    setOutline(*f.t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    f.form.append(element(PrintElemType::Figure, 10, 20, 100, 100, 4));
    TZPrintFormElem after = element(PrintElemType::Print, 10, 200, 0, 0, 5);
    after.text = L"после";
    f.form.append(after);
    f.settings.dealerMode = true;
    EXPECT_FALSE(f.draw());
    EXPECT_TRUE(f.surface.textsEqual(L"после").empty());
    f.settings.dealerMode = false;
    EXPECT_TRUE(f.draw());
    EXPECT_FALSE(f.surface.textsEqual(L"после").empty());
}

TEST(Sheet, NotTheFirstPageDrawsNothingButGivesTheSameContinuation) {
    SheetFixture f;
    TZPrintFormElem var = element(PrintElemType::PrintVar, 10, 20, 100, 30, 4);
    var.variable = reportFieldId(L"SIDES");
    f.form.append(var);
    TZPrintFormElem print = element(PrintElemType::Print, 10, 12, 0, 0, 5);
    print.text = L"Итого";
    f.form.append(print);
    f.form.append(element(PrintElemType::English, 0, 0, 0, 0));
    f.variables.texts[var.variable] = L"AB=250.0";
    std::wstring first, second;
    ASSERT_TRUE(f.draw(true, first));
    f.form.english = false;
    ASSERT_TRUE(f.draw(false, second));
    EXPECT_TRUE(f.surface.records().empty());
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(f.form.english);
}

TEST(Sheet, AFormIndexOutsideTheListDrawsNothingAndSucceeds) {
    SheetFixture f;
    f.form.append(element(PrintElemType::Line, 0, 0, 10, 10));
    f.t->printFormIndex = 3;
    EXPECT_TRUE(f.draw());
    EXPECT_TRUE(f.surface.records().empty());
    f.t->printFormIndex = 0;
    std::wstring c;
    EXPECT_FALSE(f.draw(true, c, SheetPage{0, 0, 2100, 2970, 0, 297})); // a page without size
}

TEST(Sheet, TheContinuationPageWrapsItsTextTenMillimetresIn) {
    RecordingSurface surface(deviceMetricsFor(2100, 2970 * 2, 254));
    drawContinuationPage(surface, L"СТОРОНЫ:\n\nAB=250.0", SheetPage{0, 2970, 2100, 2970, 210, 297});
    const auto wrapped = surface.ofKind(RecordKind::WrappedText);
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_EQ(wrapped[0]->rect, (Rect{100, 3070, 2000, 5840}));
    EXPECT_EQ(wrapped[0]->state.font.height, 50);
    EXPECT_EQ(wrapped[0]->state.font.weight, kWeightBold);
}

TEST(Sheet, TheAdapterGivesTheVariableTextsWithTheirOverflow) {
    TestDocument t;
    AppSettings settings;
    t->orderName = L"Кухня";
    setOutline(*t, {{0, 0}, {250, 0}, {250, 300}});
    t->diagonals.at(0).length = 250;
    t->diagonals.at(1).length = 300;
    VariableTextsAdapter adapter(*t, settings);
    TZPrintForm form;
    TZPrintFormElem e;
    std::wstring continuation;
    EXPECT_EQ(adapter.text(form, e, reportFieldId(L"NAME"), continuation), L"Кухня");
    EXPECT_EQ(adapter.text(form, e, 999, continuation), L"");
    EXPECT_TRUE(continuation.empty());
    e.wrapWidth = 9;
    e.maxLines = 1;
    form.english = true;
    EXPECT_EQ(adapter.text(form, e, reportFieldId(L"SIDES"), continuation), L"(see next page)");
    EXPECT_EQ(continuation, L"SIDES:\n\nAB=250.0;\nBC=300.0\n\n");
}
