// tenzora-cli export: pictures of the drawing and of a printed sheet, and what a script sees.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "model/ceiling.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

const std::string kExample = std::string(TENZORA_SOURCE_DIR) + "/data/examples/l-shaped-hall.tz";

int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

} // namespace

TEST(CliExport, TheDrawingBecomesAPictureAndStandardErrorTellsItsSize) {
    TempDir dir;
    const CliRun run = runCli({"export", kExample, (dir / "hall.png").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("2000 x 1600 pixels"), std::string::npos) << run.err;
    EXPECT_EQ(slurp(dir / "hall.png").substr(1, 3), "PNG");
    for (const char* name : {"hall.gif", "hall.tiff", "hall.jpg", "hall.wmf", "hall.emf", "hall.pdf"}) {
        const CliRun r = runCli({"export", kExample, (dir / name).string()});
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_GT(std::filesystem::file_size(dir / name), 100u) << name;
    }
}

TEST(CliExport, AnAbsurdlyLargeOutlineIsScaledDownAndSaysSo) {
    TempDir dir;
    TestDocument t;
    setOutline(*t, {{0, 0}, {50000, 0}, {50000, 300}, {0, 300}});
    t->editor.mode = kModePoints;
    ASSERT_TRUE(saveProject(*t, codepage::fromPath(dir / "huge.tz")));
    const CliRun run = runCli({"export", (dir / "huge.tz").string(), (dir / "huge.png").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("16384 x 98 pixels"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("scaled down from 200000 x 1200 pixels"), std::string::npos) << run.err;
}

TEST(CliExport, ASheetOfAPrintFormAndItsFailures) {
    TempDir home, dir;
    {
        std::ofstream form(home / "plan.pem", std::ios::binary);
        form << "Plan\r\nPRINT; 10; 12; 5; Plan\r\nFIGURE; 10; 40; 190; 150; 2\r\nPRINTVAR; 10; 200; 190; "
                "20; 4; NAME\r\n";
    }
    const CliRun run = runCli({"export", kExample, (dir / "sheet.pdf").string(), "--form", "0"}, home.path());
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string pdf = slurp(dir / "sheet.pdf");
    EXPECT_EQ(pdf.substr(0, 4), "%PDF");
    EXPECT_EQ(pdfPages(pdf), 1);

    const CliRun missing = runCli({"export", kExample, (dir / "x.png").string(), "--form", "3"}, home.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("no print form 3"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));

    EXPECT_EQ(runCli({"export", kExample}).status, 2);
    EXPECT_EQ(runCli({"export", kExample, (dir / "x.png").string(), "--form", "-1"}).status, 2);
}

TEST(CliExport, AnyOtherEndingGoesToWord) {
    TempDir dir, temp;
    const CliRun run = runCli({"export", kExample, (dir / "plan.jpeg").string()}, TENZORA_PROGRAM_DIR,
                              "TMPDIR=" + shellQuoted(temp.path().string()));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("goes to Word"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "plan.jpeg"));
    // The picture and the script wait in the temporary folder.
    int emf = 0, scripts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
        const std::string name = entry.path().filename().string();
        emf += name.rfind("tz", 0) == 0 && entry.path().extension() == ".emf";
        scripts += name.rfind("ex1script", 0) == 0 && entry.path().extension() == ".js";
    }
    EXPECT_EQ(emf, 1);
    EXPECT_EQ(scripts, 1);
}
