// A project made by tenzora-cli new has the switches a new window has: constructions count in the
// area, so a niche added to it is in the figures as it is in the window.

#include <gtest/gtest.h>

#include "business/project_file.h"
#include "cli_run.h"

using namespace tenzora;

using namespace clitest;

TEST(CliStartSwitches, ANewProjectShowsWhatANewWindowShows) {
    TempDir dir;
    const std::string file = (dir / "room.tz").string();
    const CliRun created = runCli({"new", "rectangle", "400", "300", "-o", file});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.json()["showConstructions"], true);

    TestDocument doc;
    bool current = true;
    ASSERT_TRUE(loadProject((dir / "room.tz").wstring(), current, *doc));
    EXPECT_TRUE(doc->view.showGrid);
    EXPECT_TRUE(doc->view.showPointNames);
    EXPECT_TRUE(doc->view.showLengths);
    EXPECT_TRUE(doc->showConstructions);
    EXPECT_FALSE(doc->view.snapToGrid);
    EXPECT_FALSE(doc->view.showAngles);
    EXPECT_FALSE(doc->view.showCanvasDistances);

    // A niche 100 wide and 50 deep on the side AB (300 long) counts in the area.
    const CliRun niche = runCli({"add-construction", file, "--kind", "rectangle", "--v1", "A", "--v2", "B",
                                 "--d1", "100", "--d2", "100", "--depth", "50"});
    ASSERT_EQ(niche.status, 0) << niche.err;
    EXPECT_NEAR(niche.json()["figures"]["netArea"].get<double>(), 12.0 - 0.5, 1e-3);
    EXPECT_NEAR(niche.json()["figures"]["perimeter"].get<double>(), 14.0 + 1.0, 1e-3);
}
