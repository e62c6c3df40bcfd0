#include "business/stock_scan.h"

#include <algorithm>
#include <map>
#include <utility>

#include "business/image_cursor.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/material_base.h"
#include "storage/project_file.h"
#include "storage/project_image.h"

namespace {

// Sizes of the list items the scan skips.
constexpr std::size_t kDiagonalBytes = 26;
constexpr std::size_t kVertexBytes = 21;
constexpr std::size_t kPointBytes = 16;    // seam-line and ruler points
constexpr std::size_t kAddPointBytes = 48; // a crossing and the two ends of its edge

std::string cut(std::optional<std::string_view> text, std::size_t field) {
    if (!text) return {};
    return std::string(text->substr(0, std::min(text->size(), field - 1)));
}

// The header test of the project reader: a terminated header with data after it.
bool headerAccepted(ImageCursor& c) {
    const auto header = c.readString();
    return header && !c.atEnd() && isProjectHeader(std::string(*header));
}

// A count the project reader would accept; a negative count is an empty list.
bool readCount(ImageCursor& c, int limit, std::int64_t& count) {
    const std::int32_t n = c.readInt32();
    if (n > limit) return false;
    count = n > 0 ? n : 0;
    return true;
}

// Fields 2 … 48 after an accepted header.
std::optional<StockFields> readBody(ImageCursor& c) {
    using projectImage::kMaxAddPointCount;
    using projectImage::kMaxListCount;
    StockFields f;
    std::int64_t n = 0;
    c.readByte();                                                    // 2
    c.readInt32();                                                   // 3
    c.readInt32();                                                   // 4
    f.orderDate = cut(c.readString(), MaterialBalance::kDateField);  // 5
    if (!readCount(c, kMaxListCount, n)) return std::nullopt;        // 6
    c.skipItems(n, kDiagonalBytes);                                  // 7
    c.readDouble();                                                  // 8
    c.readInt32();                                                   // 9
    f.client = cut(c.readString(), MaterialBalance::kClientField);   // 10
    f.orderName = cut(c.readString(), MaterialBalance::kTitleField); // 11
    c.readString();                                                  // 12
    if (!readCount(c, kMaxListCount, n)) return std::nullopt;        // 13
    c.readByte();                                                    // 14
    c.skipItems(n, kVertexBytes);                                    // 15
    for (int field = 16; field <= 23; ++field)
        c.readInt32();                                            // 16 … 23
    if (!readCount(c, kMaxListCount, n)) return std::nullopt;     // 24
    c.skipItems(n, kPointBytes);                                  // 25
    c.readInt32();                                                // 26
    c.readInt32();                                                // 27
    c.readByte();                                                 // 28
    c.readByte();                                                 // 29
    c.readByte();                                                 // 30
    c.readDouble();                                               // 31
    c.readDouble();                                               // 32
    if (!readCount(c, kMaxListCount, n)) return std::nullopt;     // 33
    c.skipItems(n, kPointBytes);                                  // 34
    c.readInt32();                                                // 35
    f.groupId = c.readInt32();                                    // 36
    c.readByte();                                                 // 37
    c.readDouble();                                               // 38
    c.readDouble();                                               // 39
    f.materialName = cut(c.readString(), Material::kNameField);   // 40
    c.readDouble();                                               // 41
    c.readInt32();                                                // 42
    c.readInt32();                                                // 43
    c.readInt32();                                                // 44
    if (!readCount(c, kMaxAddPointCount, n)) return std::nullopt; // 45
    c.skipItems(n, kAddPointBytes);                               // 46
    f.materialQuantity = c.readDouble();                          // 47
    f.offcuts = c.readDouble();                                   // 48
    return f;
}

} // namespace

std::optional<StockFields> readStockFields(std::string_view imageBytes) {
    ImageCursor plain(imageBytes);
    if (headerAccepted(plain)) return readBody(plain);
    // Older files were stored scrambled (with K2, then K1): undone in the reverse order.
    TZDynamicMemory stream;
    if (!stream.assign(imageBytes)) return std::nullopt;
    stream.unscramble(scrambleKeys::K1);
    stream.unscramble(scrambleKeys::K2);
    ImageCursor unscrambled(stream.bytes());
    if (!headerAccepted(unscrambled)) return std::nullopt;
    return readBody(unscrambled);
}

std::optional<std::vector<MaterialBalance>> scanStockStoppable(TZMaterialBase& base,
                                                               std::span<const std::wstring> folders,
                                                               const StockScanHook& goOn) {
    // The remainders are summed apart and given to the base only when the scan is complete, so
    // that a stopped scan leaves the base as it was.
    std::vector<double> stock(static_cast<std::size_t>(base.count()), 0.0);
    // The first record of each (group id, name) pair, so that every file is matched at once.
    std::map<std::pair<std::int32_t, std::string_view>, int> firstRecord;
    for (int i = 0; i < base.count(); ++i)
        firstRecord.try_emplace({base[i].groupId, base[i].name}, i);

    std::vector<MaterialBalance> movements;
    const std::vector<ProjectFileEntry> files = listProjectFiles(folders);
    std::string bytes;
    std::size_t done = 0;
    for (const ProjectFileEntry& file : files) {
        if (readWholeFile(file.fsPath, projectFile::kMaxProjectBytes, bytes) == ReadStatus::Ok) {
            if (std::optional<StockFields> fields = readStockFields(bytes)) {
                const auto match = firstRecord.find({fields->groupId, fields->materialName});
                if (match != firstRecord.end()) {
                    MaterialBalance m;
                    m.material = match->second;
                    m.quantity = fields->materialQuantity;
                    m.offcuts = fields->offcuts;
                    m.client = std::move(fields->client);
                    m.date = std::move(fields->orderDate);
                    m.title = std::move(fields->orderName);
                    m.path = file.path;
                    stock[static_cast<std::size_t>(m.material)] -= m.quantity + m.offcuts;
                    movements.push_back(std::move(m));
                }
            }
        }
        ++done;
        if (goOn && !goOn(done, files.size())) return std::nullopt;
    }
    for (int i = 0; i < base.count(); ++i)
        base[i].stock = stock[static_cast<std::size_t>(i)];
    return movements;
}

std::vector<MaterialBalance> scanStock(TZMaterialBase& base, std::span<const std::wstring> folders,
                                       const ScanProgress& progress) {
    // Never stopped: the hook only passes the progress on.
    return *scanStockStoppable(base, folders, [&](std::size_t done, std::size_t total) {
        if (progress) progress(done, total);
        return true;
    });
}
