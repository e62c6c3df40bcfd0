#include "business/stock_scan.h"

#include <algorithm>
#include <map>
#include <utility>

#include "business/image_cursor.h"
#include "business/project_file.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/image_io.h"
#include "storage/material_base.h"
#include "storage/project_head.h"
#include "storage/project_image.h"

namespace tenzora {

namespace {

std::string cut(const std::string& text, std::size_t field) {
    return text.substr(0, std::min(text.size(), field - 1));
}

// The header test of the project reader: a terminated header with data after it.
bool headerAccepted(ImageCursor& c) {
    const auto header = c.readString();
    return header && !c.atEnd() && isProjectHeader(std::string(*header));
}

// Fields 2 … 48 after an accepted header, read as the project reader reads them with the lists
// skipped by their counts.
std::optional<StockFields> readFields(ImageCursor& c) {
    ProjectHead head;
    ImageReader<ImageCursor, ListReading::Skip> reader(c);
    visitProjectHead(reader, head);
    if (reader.damaged()) return std::nullopt;
    StockFields f;
    f.orderDate = cut(head.orderDate, MaterialBalance::kDateField);
    f.client = cut(head.client, MaterialBalance::kClientField);
    f.orderName = cut(head.orderName, MaterialBalance::kTitleField);
    f.groupId = head.material.groupId;
    f.materialName = std::move(head.material.name); // cut to its field by the reader
    f.materialQuantity = head.materialQuantity;
    f.offcuts = head.offcuts;
    return f;
}

} // namespace

std::optional<StockFields> readStockFields(std::string_view imageBytes) {
    return readAcceptedImage(imageBytes, headerAccepted, readFields);
}

std::optional<std::vector<MaterialBalance>>
scanStockStoppable(TZMaterialBase& base, std::span<const std::wstring> folders, const StockScanHook& goOn) {
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

} // namespace tenzora
