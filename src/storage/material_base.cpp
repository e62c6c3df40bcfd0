#include "storage/material_base.h"

#include <algorithm>

#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/image_io.h"
#include "storage/project_head.h"

namespace tenzora {

namespace materialsFile {

namespace {
// The record in front of which the counter is stored.
constexpr int kCounterRecord = 1;
// The buffer grows in steps of this many bytes while the file is built.
constexpr std::int32_t kGrowBy = 4048;
// A record is read as a whole: its fields carry no numbers of their own.
constexpr int kRecordFields = 1;
} // namespace

bool parse(std::string_view bytes, TZMaterialBase& base) {
    base.clear();
    TZDynamicMemory s(kGrowBy);
    if (!s.assign(bytes)) return false;
    const std::int32_t count = s.readInt32();
    if (count < 0 || count > kMaxRecords) return false;
    if (!base.reserveForAppends(count)) return false;
    for (int i = 0; i < count; ++i) {
        if (i == kCounterRecord) base.loadCounter = s.readInt32();
        Material m;
        StreamReader reader(s);
        visitMaterial(reader, m, kRecordFields);
        if (!base.append(std::move(m))) return false;
    }
    return true;
}

std::string serialize(const TZMaterialBase& base, bool bumpCounter) {
    TZDynamicMemory s(kGrowBy);
    // Room for the whole file at once: the count, the counter, 33 bytes and the name per record.
    std::size_t bytes = 8;
    for (const Material& m : base)
        bytes += 34 + std::min(m.name.size(), Material::kNameField - 1);
    s.reserve(bytes);
    ImageWriter writer(s);
    writer.int32(base.count());
    // Wrapping addition: the counter is a plain 32-bit number that nobody reads back.
    const auto counter =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(base.loadCounter) + (bumpCounter ? 1u : 0u));
    for (int i = 0; i < base.count(); ++i) {
        const Material& m = base.at(i);
        if (i == kCounterRecord) writer.int32(counter);
        visitMaterial(writer, m, kRecordFields);
    }
    return std::string(s.bytes());
}

} // namespace materialsFile

bool TZMaterialBase::load(const std::filesystem::path& programDir) {
    file_ = programDir / codepage::toPath(materialsFile::kFileName);
    clear();
    std::string bytes;
    switch (readWholeFile(file_, materialsFile::kMaxFileBytes, bytes)) {
    case ReadStatus::CannotOpen:
        loadCounter = materialsFile::kMissingCounter;
        return false;
    case ReadStatus::Ok:
    case ReadStatus::Empty: // an empty file is read like any other: no records
        break;
    default:
        return false;
    }
    if (!materialsFile::parse(bytes, *this)) {
        clear();
        return false;
    }
    // Written back at once with the counter one higher. A program directory that cannot be
    // written (an installation without write access) only leaves the counter as it was.
    save(true);
    return true;
}

bool TZMaterialBase::save(bool bumpCounter) const {
    if (file_.empty()) return false;
    return writeFileReplacing(file_, materialsFile::serialize(*this, bumpCounter));
}

} // namespace tenzora
