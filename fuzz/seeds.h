#pragma once
// Seed inputs of the fuzz targets, written by code: when TENZORA_FUZZ_SEEDS names a folder, a
// target writes its seeds there from LLVMFuzzerInitialize (the test script runs each target
// once that way before fuzzing).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace tenzora {

// Writes each (name, bytes) pair as a file of the seed folder, when one is named.
inline void writeSeeds(const std::vector<std::pair<std::string, std::string>>& seeds) {
    const char* folder = std::getenv("TENZORA_FUZZ_SEEDS");
    if (folder == nullptr || *folder == '\0') return;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(std::filesystem::path(folder) / ("seed-" + name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

} // namespace tenzora
