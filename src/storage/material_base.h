#pragma once
// The materials base held by the document for the whole run, and its file materials.mat in the
// program directory.
//
// materials.mat: int32 N, then N records of int32 id, int32 groupId, byte isGroup, double
// tensionCoef, double offcutPriceCoef, NUL-terminated Windows-1251 name, double width. The load
// counter (int32) stands in front of record 1, so a base of fewer than two records has none.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/static_array.h"
#include "storage/count_limits.h"
#include "storage/material.h"

namespace tenzora {

class TZMaterialBase : public TZStaticArray<Material> {
  public:
    // The counter read from the file (one per run: the document holds the one base). Every load
    // stores it one higher; a save from the materials dialog stores it unchanged.
    std::int32_t loadCounter = 0;

    // Reads materials.mat of the program directory and, when it could be read, writes it back at
    // once with the counter one higher. A missing file leaves the base empty with the counter
    // 0x1FFFFFFF and writes nothing; a file that reads short, is implausibly large or has an
    // impossible record count leaves the base empty and the file untouched. False in these cases.
    bool load(const std::filesystem::path& programDir);
    // Writes the base to the file it was loaded from (replaced only once the new file is complete).
    // False when the file could not be written, or when the base was never loaded.
    bool save(bool bumpCounter) const;

    // The file load() read and save() writes (empty before the first load).
    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
};

namespace materialsFile {

inline constexpr wchar_t kFileName[] = L"materials.mat";
// The counter of a base whose file was missing.
inline constexpr std::int32_t kMissingCounter = 0x1FFFFFFF;
// A record count above this is a damaged file: no firm keeps that many fabrics, and zero-filled
// records for an absurd count would exhaust memory.
inline constexpr int kMaxRecords = countLimit(10000, 64);
// Far above the largest base kMaxRecords can make (about 1.8 MB); a larger file is not read.
inline constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

// Parses the bytes of a materials.mat into the base (its list and, from record 1, the counter).
// Values beyond the end read as 0 and names as empty. False, with an empty list, when the record
// count is negative or above kMaxRecords.
bool parse(std::string_view bytes, TZMaterialBase& base);

// The bytes of materials.mat for the base; the stored counter is loadCounter, plus one (wrapping
// as 32-bit arithmetic does) when bumpCounter is set.
std::string serialize(const TZMaterialBase& base, bool bumpCounter);

} // namespace materialsFile

} // namespace tenzora
