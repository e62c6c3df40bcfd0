// tenzora-cli print and printers where no print server answers (the real server is exercised
// by scripts/test-cups): bad usage, and the reason given for a queue that cannot be had.

#include <gtest/gtest.h>

#include "cli_run.h"

using namespace tenzora;

namespace {

using namespace clitest;

const std::string kExample = std::string(TENZORA_SOURCE_DIR) + "/data/examples/room-400x300.tz";

// A server socket that nothing listens on.
std::string noServer(const TempDir& dir) {
    return "CUPS_SERVER=" + shellQuoted((dir / "no-cups.sock").string());
}

} // namespace

TEST(PrintCli, BadUsageIsRefusedBeforeAnyPrinterIsAsked) {
    TempDir dir;
    EXPECT_EQ(runCli({"print", kExample}, TENZORA_PROGRAM_DIR, noServer(dir)).status, 2);
    EXPECT_EQ(runCli({"print", kExample, "--form", "-1"}, TENZORA_PROGRAM_DIR, noServer(dir)).status, 2);
    EXPECT_EQ(runCli({"print", kExample, "--form", "0", "--copies", "0"}, TENZORA_PROGRAM_DIR, noServer(dir))
                  .status,
              2);
    EXPECT_EQ(runCli({"print", "--form", "0"}, TENZORA_PROGRAM_DIR, noServer(dir)).status, 2);
    EXPECT_EQ(runCli({"printers", "extra"}, TENZORA_PROGRAM_DIR, noServer(dir)).status, 2);
    const CliRun form = runCli({"print", kExample, "--form", "7"}, TENZORA_PROGRAM_DIR, noServer(dir));
    EXPECT_EQ(form.status, 1);
    EXPECT_NE(form.err.find("no print form 7"), std::string::npos) << form.err;
}

TEST(PrintCli, WithoutAPrintServerTheCommandsFailWithTheReason) {
    TempDir dir;
    const CliRun print =
        runCli({"print", kExample, "--form", "0", "--printer", "office"}, TENZORA_PROGRAM_DIR, noServer(dir));
    EXPECT_EQ(print.status, 1);
    EXPECT_TRUE(print.out.empty());
    EXPECT_NE(print.err.find("print"), std::string::npos) << print.err;
    const CliRun printers = runCli({"printers"}, TENZORA_PROGRAM_DIR, noServer(dir));
    EXPECT_EQ(printers.status, 1);
    EXPECT_NE(printers.err.find("the print service cannot be reached"), std::string::npos) << printers.err;
}
