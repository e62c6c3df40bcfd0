// The example projects of data/examples/ are exactly what their code in example_projects.h
// writes. Set TENZORA_WRITE_EXAMPLES=1 to write them again after changing that code.

#include <gtest/gtest.h>

#include <cstdlib>

#include "business/project_file.h"
#include "storage/example_projects.h"
#include "storage/file_io.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(ExampleProjects, ShippedFilesAreWhatTheirCodeWrites) {
    const std::filesystem::path folder = std::filesystem::path(TENZORA_SOURCE_DIR) / "data" / "examples";
    const char* rewrite = std::getenv("TENZORA_WRITE_EXAMPLES");
    const bool write = rewrite != nullptr && std::string(rewrite) == "1";
    TempDir dir;
    for (const examples::ExampleProject& example : examples::all()) {
        TestDocument t;
        example.build(*t);
        const std::filesystem::path target = write ? folder / example.file : dir / example.file;
        if (write) std::filesystem::create_directories(folder);
        ASSERT_TRUE(saveProject(*t, codepage::fromPath(target))) << example.file;
        std::string written, shipped;
        ASSERT_EQ(readWholeFile(target, projectFile::kMaxProjectBytes, written), ReadStatus::Ok);
        ASSERT_EQ(readWholeFile(folder / example.file, projectFile::kMaxProjectBytes, shipped),
                  ReadStatus::Ok)
            << example.file << ": run this test with TENZORA_WRITE_EXAMPLES=1 to write it";
        EXPECT_EQ(written, shipped) << example.file;

        // And it opens as a user's file does.
        TestDocument opened;
        ASSERT_TRUE(opened->openFile(codepage::fromPath(folder / example.file)));
        EXPECT_EQ(opened->orderName, t->orderName);
        EXPECT_FALSE(opened->modified);
    }
}
