// The default data files of data/ are exactly what their code in default_data.h writes. Set
// TENZORA_WRITE_DEFAULT_DATA=1 to write them again after changing that code.

#include <gtest/gtest.h>

#include <cstdlib>

#include "business/default_data.h"
#include "storage/file_io.h"

using namespace tenzora;

namespace {

const std::filesystem::path kDataFolder = std::filesystem::path(TENZORA_SOURCE_DIR) / "data";

void compareOrWrite(const std::filesystem::path& file, const std::string& bytes) {
    const char* rewrite = std::getenv("TENZORA_WRITE_DEFAULT_DATA");
    if (rewrite != nullptr && std::string(rewrite) == "1") {
        ASSERT_TRUE(writeFileReplacing(file, bytes));
    }
    std::string shipped;
    ASSERT_EQ(readWholeFile(file, 16u << 20, shipped), ReadStatus::Ok)
        << file << ": run this test with TENZORA_WRITE_DEFAULT_DATA=1 to write it";
    EXPECT_EQ(shipped, bytes) << file;
}

} // namespace

TEST(DefaultData, ShippedFilesAreWhatTheirCodeWrites) {
    compareOrWrite(kDataFolder / "materials.mat", materialsFile::serialize(defaultData::materials(), false));
    compareOrWrite(kDataFolder / "price.dat", defaultData::prices().serialize());
}
