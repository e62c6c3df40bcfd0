#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/ceiling.h"
#include "model/settings.h"
#include "output/export_choice.h"
#include "output/metafile_reader.h"
#include "output/picture_export.h"
#include "output/recording_surface.h"
#include "output/report_fields.h"
#include "output/report_script.h"
#include "output/sheet.h"
#include "platform/approximate_text_measurer.h"
#include "platform/clock.h"
#include "platform/image_codec.h"
#include "platform/launcher.h"
#include "storage/codepage.h"
#include "support/export_project.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// Raster pictures recorded rather than drawn; PDF documents unsupported.
class RecordingBackend : public ExportBackend {
  public:
    class Picture : public RasterPicture {
      public:
        Picture(std::int32_t w, std::int32_t h) : surface_(deviceMetricsFor(w, h)) {
            bitmap_.width = w;
            bitmap_.height = h;
            bitmap_.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0xFFFFFFFFu);
        }
        Surface& surface() override { return surface_; }
        const Bitmap& finish() override { return bitmap_; }
        RecordingSurface surface_;
        Bitmap bitmap_;
    };
    const TextMeasurer& measurer() const override { return measurer_; }
    std::unique_ptr<RasterPicture> createRaster(std::int32_t w, std::int32_t h) override {
        rasters.emplace_back(w, h);
        return std::make_unique<Picture>(w, h);
    }
    std::unique_ptr<PdfDocument> createPdf(const std::filesystem::path&, std::int32_t, std::int32_t, double,
                                           double) override {
        return nullptr;
    }
    std::vector<std::pair<std::int32_t, std::int32_t>> rasters;
    ApproximateTextMeasurer measurer_;
};

class CapturingCodec : public ImageCodec {
  public:
    std::optional<Bitmap> decodeFile(const std::wstring&) override { return std::nullopt; }
    bool encodeFile(const Bitmap& picture, ImageFormat format, const std::wstring& path) override {
        encoded.push_back({format, picture.width, picture.height, path});
        return true;
    }
    struct Call {
        ImageFormat format;
        int width, height;
        std::wstring path;
    };
    std::vector<Call> encoded;
};

class OverflowingVariables : public SheetVariables {
  public:
    std::wstring text(TZPrintForm&, const TZPrintFormElem&, int, std::wstring& continuation) override {
        continuation += overflow;
        return L"text";
    }
    std::wstring overflow;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct ExportFixture {
    TestDocument t;
    TempDir dir;
    AppSettings settings;
    RecordingBackend backend;
    CapturingCodec codec;
    OverflowingVariables variables;
    FixedClock clock{LocalTime{2024, 5, 6, 1, 2, 3}};
    ExportServices services{settings, backend, codec, &variables, dir.path(), &clock};

    ExportFixture() { setUpExportProject(*t); }
    ExportResult exportTo(const std::string& name, int form = -1) {
        return exportDrawing(*t, codepage::fromPath(dir / name), form, services);
    }
};

} // namespace

TEST(PictureExport, TheFormatIsChosenByTheLastThreeCharactersExactly) {
    EXPECT_EQ(exportFormatFor(L"plan.png"), ExportFormat::Png);
    EXPECT_EQ(exportFormatFor(L"plan.gif"), ExportFormat::Gif);
    EXPECT_EQ(exportFormatFor(L"plan.tiff"), ExportFormat::Tiff);
    EXPECT_EQ(exportFormatFor(L"plan.jpg"), ExportFormat::Jpeg);
    EXPECT_EQ(exportFormatFor(L"plan.wmf"), ExportFormat::Wmf);
    EXPECT_EQ(exportFormatFor(L"plan.emf"), ExportFormat::Emf);
    EXPECT_EQ(exportFormatFor(L"plan.pdf"), ExportFormat::Pdf);
    EXPECT_EQ(exportFormatFor(L"plan.jpeg"), ExportFormat::Word);
    EXPECT_EQ(exportFormatFor(L"plan.doc"), ExportFormat::Word);
    EXPECT_EQ(exportFormatFor(L"plan"), ExportFormat::Word);
    EXPECT_EQ(exportFormatFor(L"pn"), ExportFormat::Word);
    EXPECT_EQ(exportFormatFor(L"PLAN.PNG"), ExportFormat::Word);
}

TEST(PictureExport, FourPixelsPerCentimetreWithPensAndFontsAtScreenSize) {
    ExportFixture f;
    const PictureSize size = drawingPictureSize(*f.t);
    EXPECT_EQ(size.width, 2000);
    EXPECT_EQ(size.height, 1200);
    EXPECT_EQ(size.referenceWidth, 1450);
    EXPECT_EQ(size.referenceHeight, 870);
    EXPECT_FALSE(size.reduced);
    const ExportResult r = f.exportTo("plan.png");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(f.codec.encoded.size(), 1u);
    EXPECT_EQ(f.codec.encoded[0].format, ImageFormat::Png);
    EXPECT_EQ(f.codec.encoded[0].width, 2000);
    EXPECT_EQ(f.codec.encoded[0].height, 1200);
    f.exportTo("plan.tiff");
    EXPECT_EQ(f.codec.encoded.back().format, ImageFormat::Tiff);
    f.exportTo("plan.jpg");
    EXPECT_EQ(f.codec.encoded.back().format, ImageFormat::Jpeg);
}

TEST(PictureExport, AnOutlineOfAbsurdSizeIsScaledDownToTheLimits) {
    ExportFixture f;
    setOutline(*f.t, {{0, 0}, {50000, 0}, {50000, 300}, {0, 300}});
    const PictureSize size = drawingPictureSize(*f.t);
    EXPECT_TRUE(size.reduced);
    EXPECT_EQ(size.requestedWidth, 200000);
    EXPECT_EQ(size.width, kMaxPictureSide);
    EXPECT_EQ(size.height, 98); // 1200 · 16384 / 200000
    EXPECT_EQ(size.referenceWidth, 1450);
    setOutline(*f.t, {{0, 0}, {5000, 0}, {5000, 5000}, {0, 5000}});
    const PictureSize square = drawingPictureSize(*f.t);
    EXPECT_TRUE(square.reduced);
    EXPECT_LE(std::int64_t{square.width} * square.height, kMaxPicturePixels);
    EXPECT_EQ(square.width, square.height);
}

TEST(PictureExport, AnOutlineWithoutExtentExportsNothing) {
    ExportFixture f;
    setOutline(*f.t, {{0, 0}, {100, 0.5}});
    const ExportResult r = f.exportTo("line.png");
    EXPECT_EQ(r.status, ExportStatus::NothingToDraw);
    EXPECT_TRUE(f.codec.encoded.empty());
}

TEST(PictureExport, GifIsWrittenByTheCoreWriter) {
    ExportFixture f;
    const ExportResult r = f.exportTo("plan.gif");
#if TENZORA_HAVE_GIFLIB
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readFile(f.dir / "plan.gif").substr(0, 3), "GIF");
#else
    EXPECT_EQ(r.status, ExportStatus::WriteFailed);
#endif
    EXPECT_TRUE(f.codec.encoded.empty());
}

TEST(PictureExport, MetafilesHoldTheDrawingAsRecordsThatReadBack) {
    ExportFixture f;
    ASSERT_TRUE(f.exportTo("plan.emf").ok());
    metafile::EmfHeader emf;
    const metafile::Playback played = metafile::playEmf(readFile(f.dir / "plan.emf"), emf);
    EXPECT_TRUE(played.ok()) << played.error;
    EXPECT_EQ(emf.bounds, (Rect{0, 0, 1999, 1199}));
    EXPECT_NE(played.textEqual(L"500.0"), nullptr);
    EXPECT_GT(played.count(metafile::emr::POLYPOLYGON) + played.count(metafile::emr::POLYGON), 0u);

    ASSERT_TRUE(f.exportTo("plan.wmf").ok());
    metafile::WmfHeader wmf;
    const metafile::Playback wplayed = metafile::playWmf(readFile(f.dir / "plan.wmf"), wmf);
    EXPECT_TRUE(wplayed.ok()) << wplayed.error;
    EXPECT_NE(wplayed.textEqual(L"300.0"), nullptr);
}

TEST(PictureExport, ASheetIsAnA4PageAndItsContinuationGoesBelowIt) {
    ExportFixture f;
    const PictureSize page = sheetPictureSize(*f.t);
    EXPECT_EQ(page.height, 2000);
    EXPECT_EQ(page.width, 1414);
    ExportResult r = f.exportTo("sheet.png", 0);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.pages, 1);
    EXPECT_EQ(f.codec.encoded.back().height, 2000);
    f.variables.overflow = L"СТОРОНЫ:\n\nAB=500.0\n\n";
    r = f.exportTo("sheet.emf", 0);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.pages, 2);
    metafile::EmfHeader emf;
    const metafile::Playback played = metafile::playEmf(readFile(f.dir / "sheet.emf"), emf);
    ASSERT_TRUE(played.ok()) << played.error;
    EXPECT_EQ(emf.bounds, (Rect{0, 0, 1413, 3999}));
    // The continuation text starts 10 mm into the lower page.
    const metafile::Drawn* heading = played.textEqual(L"СТОРОНЫ:");
    ASSERT_NE(heading, nullptr);
    EXPECT_GE(heading->reference.y, 2000 + 67);
    r = f.exportTo("sheet.png", 0);
    EXPECT_EQ(f.codec.encoded.back().height, 4000);
    // The print form chosen last is left as it was.
    EXPECT_EQ(f.t->printFormIndex, 0);
}

TEST(PictureExport, ASheetThatRefusesToDrawWritesNoFile) {
    ExportFixture f;
    f.t->resources.printForms.at(0).at(0).size = 4;
    f.settings.dealerMode = true;
    const ExportResult r = f.exportTo("sheet.emf", 0);
    EXPECT_EQ(r.status, ExportStatus::DrawingFailed);
    EXPECT_FALSE(std::filesystem::exists(f.dir / "sheet.emf"));
    EXPECT_EQ(f.exportTo("sheet.emf", 5).status, ExportStatus::NoSuchForm);
    EXPECT_EQ(f.exportTo("plan.pdf").status, ExportStatus::Unsupported);
}

TEST(PictureExport, WordGetsAMetafileAndAPictureScriptInTheTemporaryFolder) {
    ExportFixture f;
    {
        std::ofstream old(f.dir / "plan.doc");
        old << "old";
    }
    const ExportResult r = f.exportTo("plan.doc");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.format, ExportFormat::Word);
    EXPECT_FALSE(std::filesystem::exists(f.dir / "plan.doc")); // the script will write it
    EXPECT_TRUE(r.saveAndQuit);
    EXPECT_EQ(r.picture.parent_path(), f.dir.path());
    EXPECT_EQ(r.picture.filename().string().substr(0, 2), "tz");
    EXPECT_EQ(r.picture.extension(), ".emf");
    metafile::EmfHeader emf;
    EXPECT_TRUE(metafile::playEmf(readFile(r.picture), emf).ok());
    EXPECT_EQ(r.script, f.dir / "ex1script3723.js"); // 1:02:03 is second 3723 of the day
    EXPECT_EQ(readFile(r.script), buildPictureScript(true));

    const ExportResult open = f.exportTo("plan.jpeg");
    ASSERT_TRUE(open.ok());
    EXPECT_FALSE(open.saveAndQuit);
    EXPECT_EQ(wordScriptName(23, 59, 59), L"ex1script86399.js");
}

namespace {

class OpeningLauncher : public FakeLauncherBase {
  public:
    bool startProgram(const std::wstring&, const std::vector<std::wstring>&) override { return false; }
    bool openDocument(const std::wstring& path) override {
        opened.push_back(path);
        return canOpen;
    }
    std::wstring selfPath() override { return L"tenzora"; }
    std::vector<std::wstring> opened;
    bool canOpen = true;
};

} // namespace

TEST(PictureExport, TheExportDialogProposesTheOrderNameAndReportsWhatFailed) {
    ExportFixture f;
    OpeningLauncher launcher;
    f.t->orderName = L"Кухня";

    // Cancelled: nothing written, nothing said.
    EXPECT_FALSE(chooseExportFile(*f.t, -1, f.services, &launcher));
    ASSERT_EQ(f.t.ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(f.t.ui.fileDialogs[0].save);
    EXPECT_TRUE(f.t.ui.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(f.t.ui.fileDialogs[0].initialName, L"Кухня");
    EXPECT_NE(f.t.ui.fileDialogs[0].filter.find(L"(*.wmf)"), std::wstring::npos);
    EXPECT_EQ(exportFileFilter(0).find(L"(*.wmf)"), std::wstring::npos); // not for a sheet
    EXPECT_TRUE(f.t.ui.messages.empty());

    f.t.ui.files.push_back(codepage::fromPath(f.dir / "plan.png"));
    EXPECT_TRUE(chooseExportFile(*f.t, -1, f.services, &launcher));
    ASSERT_EQ(f.codec.encoded.size(), 1u);
    EXPECT_TRUE(f.t.ui.messages.empty());

    // A folder that does not exist: the user is told, not left believing the file was made.
    const std::wstring lost = codepage::fromPath(f.dir / "no such folder" / "plan.emf");
    f.t.ui.files.push_back(lost);
    EXPECT_FALSE(chooseExportFile(*f.t, -1, f.services, &launcher));
    EXPECT_TRUE(f.t.ui.saw(L"Не удалось записать файл " + lost));

    // Without a script host the Word route hands the picture to the office helper of the program
    // directory; where it is missing, the user is told so rather than left waiting.
    f.t.ui.files.push_back(codepage::fromPath(f.dir / "plan.doc"));
    EXPECT_TRUE(chooseExportFile(*f.t, -1, f.services, &launcher));
    EXPECT_TRUE(launcher.opened.empty());
    ASSERT_FALSE(f.t.ui.messages.empty());
    EXPECT_NE(f.t.ui.messages.back().text.find(L"office/tenzora_office.py"), std::wstring::npos)
        << codepage::toUtf8(f.t.ui.messages.back().text);
}
