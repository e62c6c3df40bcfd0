#include "business/project_file.h"

#include "business/estimate.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/price_file.h"
#include "storage/project_image.h"
#include "storage/project_values.h"

namespace tenzora {

namespace {

std::wstring quoted(const std::wstring& path) {
    return L"«" + path + L"»";
}

std::wstring readFailureText(ReadStatus status, const std::wstring& path) {
    switch (status) {
    case ReadStatus::Empty:
        return L"Файл " + quoted(path) + L" пуст.";
    case ReadStatus::TooLarge:
        return L"Файл " + quoted(path) + L" слишком велик для файла проекта (больше 1 000 000 байт).";
    case ReadStatus::ShortRead:
        return L"Файл " + quoted(path) + L" прочитан не полностью.";
    default:
        return L"Не удалось открыть файл " + quoted(path) + L".";
    }
}

} // namespace

PricingOptions pricingOptionsOf(const TZCeiling& doc) {
    PricingOptions options;
    if (const AppSettings* settings = doc.settings())
        options.materialWithTension = settings->materialWithTension;
    return options;
}

bool saveProject(TZCeiling& doc, const std::wstring& path, std::optional<PricingOptions> pricing) {
    const bool wasModified = doc.modified;
    doc.modified = false; // the file stores the state as saved
    TZDynamicMemory stream(TZCeiling::kStreamGrowBy);
    // The header's price tag is the job cost with extra works, for the scans that list projects
    // without loading them. The price lists are read afresh: nothing caches them.
    TZPriceFile prices;
    prices.load(doc.programDir());
    doc.priceTag =
        priceTagText(CostEstimate(doc, prices, pricing.value_or(pricingOptionsOf(doc))).jobCost(true));
    saveToStream(doc, stream);
    if (!writeFileReplacing(codepage::toPath(path), stream.bytes())) {
        // Nothing was saved: the project is exactly as modified as it was before.
        doc.modified = wasModified;
        doc.ui().error(L"Не удалось сохранить проект в файл " + quoted(path) +
                       L". Проверьте, что папка существует и доступна для записи.");
        return false;
    }
    return true;
}

bool loadProject(const std::wstring& path, bool& currentFormat, TZCeiling& doc) {
    doc.takeSnapshot();
    std::string bytes;
    const ReadStatus status = readWholeFile(codepage::toPath(path), projectFile::kMaxProjectBytes, bytes);
    if (status != ReadStatus::Ok) {
        doc.ui().error(readFailureText(status, path));
        return false;
    }
    TZDynamicMemory stream(TZCeiling::kStreamGrowBy);
    stream.assign(bytes);
    // Kept to put the document back when the file's values cannot be used.
    TZDynamicMemory before(TZCeiling::kStreamGrowBy);
    saveToStream(doc, before, /*keepBlock=*/false);
    const bool formatBefore = currentFormat;
    // An unrecognised format has been reported by the reader and left the document unchanged:
    // the open did not succeed, so the caller must not adopt the file's path.
    if (!loadFromStream(doc, stream, currentFormat)) return false;
    if (const auto where = projectValueOutOfRange(doc)) {
        bool ignored = false;
        loadFromStream(doc, before, ignored);
        currentFormat = formatBefore;
        doc.ui().error(projectValuesRefusalText(path, *where));
        return false;
    }
    return true;
}

bool TZCeiling::openFile(const std::wstring& path) {
    if (!loadProject(path, currentFormat, *this)) return false;
    filePath = path;
    repaint();
    rebuildTree();
    refreshFigures();
    rebuildTitle();
    return true;
}

bool TZCeiling::openFile() {
    FileDialogRequest request;
    request.save = false;
    request.filter = projectFile::kOpenFilter;
    request.defaultExtension = projectFile::kExtension;
    request.initialName = orderName;
    request.mustExist = true;
    const auto path = ui().chooseFile(request);
    if (!path) return false;
    return openFile(*path);
}

bool TZCeiling::saveAs(std::optional<PricingOptions> pricing) {
    FileDialogRequest request;
    request.save = true;
    request.filter = projectFile::kSaveFilter;
    request.defaultExtension = projectFile::kExtension;
    request.initialName = orderName;
    request.confirmOverwrite = true;
    const auto path = ui().chooseFile(request);
    if (!path) return false;
    return saveProject(*this, *path, pricing);
}

} // namespace tenzora
