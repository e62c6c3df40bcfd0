#pragma once
// The stock scan: the remainder of every material of the base worked out from the drawing
// folders. Every project file there consumes its material quantity plus its offcuts; every
// receipt file (a short project image with a negative quantity) puts material into stock.
// There is no stock database: the scan is run again whenever the remainders are wanted.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "business/drawing_folders.h"

namespace tenzora {

class TZMaterialBase;

// One stock movement: a project or a receipt found by the scan.
struct MaterialBalance {
    // The texts keep what their fixed fields hold: at most this many bytes plus the terminator.
    static constexpr std::size_t kClientField = 150;
    static constexpr std::size_t kDateField = 30;
    static constexpr std::size_t kTitleField = 50;

    std::int32_t material = -1; // index of the base record the movement belongs to
    double quantity = 0.0;      // m² of material; negative for a receipt
    double offcuts = 0.0;       // m² of offcuts; 0 in receipts
    std::string client;         // Windows-1251 bytes
    std::string date;           // order date or receipt date, Windows-1251
    std::string title;          // project name, "ПОСТУПЛЕНИЕ" in receipts, Windows-1251
    std::wstring path;          // the file it was read from
};

// What the scan takes from one project image.
struct StockFields {
    std::string orderDate;         // field 5
    std::string client;            // field 10
    std::string orderName;         // field 11
    std::int32_t groupId = 0;      // field 36
    std::string materialName;      // field 40, cut to what a material's name field holds
    double materialQuantity = 0.0; // field 47
    double offcuts = 0.0;          // field 48
};

// Reads the fields the stock scan needs from the bytes of a project or receipt file. The header
// is checked as the project reader checks it, retrying once after unscrambling; the fields are
// read up to the offcuts, lists skipped by their counts. None for a foreign file or when a list
// count is beyond what the project reader accepts (a damaged file).
std::optional<StockFields> readStockFields(std::string_view imageBytes);

// The scan: every base record's `stock` is set to its remainder, and the movements found are
// returned in scan order (folders in list order, files by name). A file whose material — the
// pair of group id and name, byte for byte — is not in the base does not count.
std::vector<MaterialBalance> scanStock(TZMaterialBase& base, std::span<const std::wstring> folders,
                                       const ScanProgress& progress = {});

// Asked after each file of a stoppable scan (files done, files found): false stops the scan.
using StockScanHook = std::function<bool(std::size_t done, std::size_t total)>;

// The same scan, which the hook may stop after any file (a window's "Отмена"). A stopped scan
// changes nothing: the base keeps the remainders it had, and none is returned. A scan that runs
// to its end gives exactly what scanStock gives.
std::optional<std::vector<MaterialBalance>>
scanStockStoppable(TZMaterialBase& base, std::span<const std::wstring> folders, const StockScanHook& goOn);

} // namespace tenzora
