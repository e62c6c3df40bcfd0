#include <gtest/gtest.h>

#include <map>

#include "editor/drawing_cache.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/print_job.h"
#include "output/print_preview.h"
#include "output/recording_surface.h"
#include "output/report_fields.h"
#include "platform/print_target.h"
#include "support/fakes.h"
#include "support/rooms.h"

#include <fstream>

using namespace tenzora;

namespace {

// A printer that keeps each page's records and can be told to fail at a step.
class RecordingPrinter : public PrintTarget {
  public:
    PrintablePage printable{2000, 2870, 200, 287};
    bool failStart = false, failNext = false, failEndPage = false, failEnd = false;
    std::vector<std::unique_ptr<RecordingSurface>> pages;
    std::vector<std::string> calls;
    std::wstring name;

    PrintablePage page() const override { return printable; }
    bool startDocument(const std::wstring& n) override {
        calls.push_back("start");
        name = n;
        if (failStart) return false;
        addPage();
        return true;
    }
    Surface& surface() override { return *pages.back(); }
    bool nextPage() override {
        calls.push_back("next");
        if (failNext) return false;
        addPage();
        return true;
    }
    bool endPage() override {
        calls.push_back("endPage");
        return !failEndPage;
    }
    bool endDocument() override {
        calls.push_back("end");
        return !failEnd;
    }
    void abort() override { calls.push_back("abort"); }

  private:
    void addPage() {
        pages.push_back(
            std::make_unique<RecordingSurface>(deviceMetricsFor(printable.widthPx, printable.heightPx, 254)));
    }
};

class OverflowVariables : public SheetVariables {
  public:
    std::wstring text(TZPrintForm&, const TZPrintFormElem&, int, std::wstring& continuation) override {
        continuation += overflow;
        return L"AB=400.0";
    }
    std::wstring overflow;
};

class ScriptedChooser : public PrinterChooser {
  public:
    RecordingPrinter* printer = nullptr; // handed out once; none: cancelled
    std::wstring askedName;
    std::unique_ptr<PrintTarget> choosePrinter(const std::wstring& name) override {
        askedName = name;
        std::unique_ptr<PrintTarget> p(printer);
        printer = nullptr;
        return p;
    }
};

struct PrintFixture {
    TestDocument t;
    AppSettings settings;
    OverflowVariables variables;
    DrawingCache cache;
    RecordingPrinter printer;

    PrintFixture() {
        setOutline(*t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
        t->editor.mode = kModePoints;
        t->orderName = L"Кухня";
        TZPrintForm& form = *t->resources.printForms.append();
        form.name = L"Цех";
        TZPrintFormElem title;
        title.type = static_cast<std::int32_t>(PrintElemType::Print);
        title.x = 10;
        title.y = 10;
        title.size = 5;
        title.text = L"ЛИСТ";
        form.append(title);
        TZPrintFormElem var;
        var.type = static_cast<std::int32_t>(PrintElemType::PrintVar);
        var.x = 10;
        var.y = 30;
        var.width = 100;
        var.height = 10;
        var.size = 3;
        var.variable = reportFieldId(L"SIDES");
        form.append(var);
        TZPrintFormElem figure;
        figure.type = static_cast<std::int32_t>(PrintElemType::Figure);
        figure.x = 10;
        figure.y = 50;
        figure.width = 190;
        figure.height = 100;
        figure.size = 4;
        figure.percent = 100;
        form.append(figure);
        t->printFormIndex = 0;
    }
    PrintResult print() {
        return printSheet(*t, printer, SheetServices{settings, variables, nullptr, &cache});
    }
};

} // namespace

TEST(PrintJob, TheSheetIsDrawnForThePrintablePageAndTheContinuationOnASecondPage) {
    PrintFixture f;
    PrintResult r = f.print();
    EXPECT_EQ(r.status, PrintStatus::Printed);
    EXPECT_EQ(r.pages, 1);
    EXPECT_EQ(f.printer.name, L"Чертёж Кухня");
    EXPECT_EQ(f.printer.calls, (std::vector<std::string>{"start", "endPage", "end"}));
    // Placed by the printable millimetres: 10 mm at 10 pixels per millimetre.
    const auto title = f.printer.pages[0]->textsEqual(L"ЛИСТ");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0]->point, (Point{100, 100}));
    EXPECT_FALSE(f.t->printing); // only while the sheet is drawn

    PrintFixture g;
    g.variables.overflow = L"AC=500.0; BD=500.0";
    r = g.print();
    EXPECT_EQ(r.status, PrintStatus::Printed);
    EXPECT_EQ(r.pages, 2);
    EXPECT_EQ(g.printer.calls, (std::vector<std::string>{"start", "next", "endPage", "end"}));
    ASSERT_EQ(g.printer.pages.size(), 2u);
    EXPECT_TRUE(g.printer.pages[0]->textsContaining(L"AC=500.0").empty());
    const auto rest = g.printer.pages[1]->textsContaining(L"AC=500.0; BD=500.0");
    ASSERT_EQ(rest.size(), 1u);
    // The continuation page's box: 10 mm in, 190 × 277 mm.
    EXPECT_EQ(rest[0]->rect, (Rect{100, 100, 2000, 2870}));
}

TEST(PrintJob, PrinterFailuresAreToldWithTheirTexts) {
    PrintFixture start;
    start.printer.failStart = true;
    EXPECT_EQ(start.print().status, PrintStatus::StartFailed);
    EXPECT_EQ(start.t.ui.texts(), std::vector<std::wstring>{L"Error StartDoc"});
    EXPECT_EQ(start.printer.calls, std::vector<std::string>{"start"});

    PrintFixture page;
    page.printer.failEndPage = true;
    EXPECT_EQ(page.print().status, PrintStatus::PageFailed);
    EXPECT_EQ(page.t.ui.texts(), std::vector<std::wstring>{L"Error EndPage"});

    PrintFixture next;
    next.variables.overflow = L"AC=500.0";
    next.printer.failNext = true;
    EXPECT_EQ(next.print().status, PrintStatus::PageFailed);
    EXPECT_EQ(next.printer.calls.back(), "abort");

    PrintFixture end;
    end.printer.failEnd = true;
    EXPECT_EQ(end.print().status, PrintStatus::EndFailed);
    EXPECT_EQ(end.t.ui.texts(), std::vector<std::wstring>{L"Error EndDoc"});

    // A layout drawing refused in dealer mode abandons the job.
    PrintFixture dealer;
    dealer.settings.dealerMode = true;
    EXPECT_EQ(dealer.print().status, PrintStatus::DrawingFailed);
    EXPECT_EQ(dealer.printer.calls, (std::vector<std::string>{"start", "abort"}));
}

TEST(PrintJob, TheChoiceOfAFormPreviewsOrPrintsThroughTheDialog) {
    PrintFixture f;
    ScriptedChooser chooser;
    int previews = 0;
    PrintServices services{f.settings, f.variables, nullptr, &chooser, [&] { ++previews; }};
    EXPECT_EQ(printDrawing(*f.t, kPrintModePreview, 0, services).status, PrintStatus::Previewed);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(printDrawing(*f.t, kPrintModePrint, 0, services).status, PrintStatus::Cancelled);
    EXPECT_EQ(chooser.askedName, L"Чертёж Кухня");

    auto* printer = new RecordingPrinter;
    chooser.printer = printer;
    EXPECT_EQ(printDrawing(*f.t, kPrintModePrint, 0, services).status, PrintStatus::Printed);
    // A form outside the list is refused before anything is shown.
    EXPECT_EQ(printDrawing(*f.t, kPrintModePreview, 1, services).status, PrintStatus::NoSuchForm);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(f.t->printFormIndex, 0);
}

TEST(PrintJob, PrintablePixelsFollowTheMillimetresAndTheResolution) {
    EXPECT_EQ(printablePixels(210, 600), 4960); // 210 × 600 × 10 / 254, truncated
    EXPECT_EQ(printablePixels(297, 300), 3507);
    EXPECT_EQ(printablePixels(0, 1200), 0);
}

TEST(PrintPreview, ThePageIsAnA4OfPixelsPerCentimetreCentredAndMoved) {
    PrintPreview p;
    EXPECT_EQ(PrintPreview::windowRect(1920, 1050), (Rect{200, 80, 1520, 970}));
    p.pixelsPerCm = PrintPreview::initialPixelsPerCm(1050);
    EXPECT_EQ(p.pixelsPerCm, 22); // (1050 − 100) / 42 in whole pixels
    EXPECT_EQ(p.pageRect(1000), (Rect{269, 57, 269 + 462, 57 + 653}));

    // Zooming in three times: × 1.331.
    for (int i = 0; i < 3; ++i)
        p.zoomIn();
    EXPECT_NEAR(p.pixelsPerCm, 22 * 1.331, 1e-9);
    p.zoomOut();
    EXPECT_NEAR(p.pixelsPerCm, 22 * 1.331 * 0.9, 1e-9);

    // Dragging keeps the grip between the mouse and the page.
    p.press({100, 100});
    EXPECT_TRUE(p.move({130, 90}, true));
    EXPECT_EQ(p.offsetX, 30);
    EXPECT_EQ(p.offsetY, -10);
    EXPECT_FALSE(p.move({200, 200}, false)); // the button is no longer held
    p.release();
    EXPECT_FALSE(p.move({200, 200}, true));
    p.dragEnabled = false;
    p.press({0, 0});
    EXPECT_FALSE(p.move({10, 10}, true));
    p.shown();
    EXPECT_EQ(p.offsetX, 0);
    EXPECT_TRUE(p.dragEnabled);

    // Zooming out without end keeps a page of at least a pixel per centimetre.
    for (int i = 0; i < 200; ++i)
        p.zoomOut();
    EXPECT_GE(p.pixelsPerCm, 1.0);
}

TEST(PrintPreview, PageModeOneShowsOnlyTheContinuationOnThePage) {
    PrintFixture f;
    f.variables.overflow = L"AC=500.0";
    PrintPreview p;
    p.pixelsPerCm = 20;
    RecordingSurface surface(deviceMetricsFor(800, 900));
    const SheetServices sheet{f.settings, f.variables, nullptr, &f.cache};
    ASSERT_TRUE(p.paint(*f.t, surface, 800, 900, sheet));
    const auto fills = surface.ofKind(RecordKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0]->color, kPreviewBackground);
    const auto page = surface.ofKind(RecordKind::Rectangle);
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page[0]->rect, (Rect{190, 57, 190 + 420, 57 + 594}));
    EXPECT_EQ(surface.textsEqual(L"ЛИСТ").size(), 1u);
    EXPECT_TRUE(surface.textsContaining(L"AC=500.0").empty());

    surface.clear();
    p.pageMode = 1;
    ASSERT_TRUE(p.paint(*f.t, surface, 800, 900, sheet));
    EXPECT_TRUE(surface.textsEqual(L"ЛИСТ").empty());
    const auto rest = surface.textsContaining(L"AC=500.0");
    ASSERT_EQ(rest.size(), 1u);
    // 10 mm in from the page corner, the page standing for 210 mm.
    EXPECT_EQ(rest[0]->rect.left, 190 + 20);
    EXPECT_EQ(rest[0]->rect.top, 57 + 20);
}

TEST(PrintJob, TheFormsAreReloadedForTheMenuUnlessTheMeasurementsAreTooFarOff) {
    TempDir programDir;
    std::ofstream(programDir / "b.pem") << "!Клиент\r\nPRINT; 10; 10; 5; B\r\n";
    std::ofstream(programDir / "a.pem") << "!Цех\r\nPRINT; 10; 10; 5; A\r\n";
    std::ofstream(programDir / "c.txt") << "Не форма\r\n";
    TestDocument t(false, programDir.path());
    AppSettings settings;
    std::vector<std::wstring> names;
    ASSERT_TRUE(preparePrintForms(*t, settings, names));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Цех", L"Клиент"}));

    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {});
    measureRecord(*t, L"AC", 143.0); // 141.42 measured as 143
    EXPECT_FALSE(preparePrintForms(*t, settings, names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(t.ui.saw(L"Внимание! Погрешность больше максимально допустимой!"));
}
