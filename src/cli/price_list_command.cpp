// tenzora-cli price-list: the price lists of price.dat in the program directory as JSON, or, with
// --set FILE.json, price.dat written from JSON.

#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/price_list_json.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/price_file.h"

namespace tenzora {

namespace cli {

namespace {

// JSON text of a price list can hardly be larger than the price file it describes, times a few.
constexpr std::uintmax_t kMaxJsonBytes = 8 * priceFile::kMaxFileBytes;

std::filesystem::path priceFilePath(Context& context) {
    return context.app().programDir() / codepage::toPath(priceFile::kFileName);
}

void printPriceList(const TZPriceFile& prices) {
    // A name damaged in the file (half a surrogate pair) is printed with a replacement character.
    std::cout << priceListToJson(prices).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << std::endl;
}

int setPriceList(Context& context, const std::string& jsonFile) {
    std::string text;
    const std::filesystem::path source = codepage::toPath(codepage::fromUtf8(jsonFile));
    switch (readWholeFile(source, kMaxJsonBytes, text)) {
    case ReadStatus::Ok:
    case ReadStatus::Empty:
        break;
    case ReadStatus::TooLarge:
        throw Failure("Файл " + jsonFile + " слишком велик для прайс-листов");
    default:
        throw Failure("Не удалось прочитать файл " + jsonFile);
    }
    TZPriceFile prices;
    std::string error;
    // Nothing is written unless the whole text is accepted: the old price.dat stays as it was.
    if (!priceListFromJson(text, prices, error))
        throw Failure(jsonFile + ": " + error + ". Файл price.dat не изменён.");
    // Written to a temporary file beside price.dat and renamed over it.
    if (!prices.save(context.app().programDir()))
        throw Failure("Не удалось записать файл " +
                      codepage::toUtf8(codepage::fromPath(priceFilePath(context))));
    printPriceList(prices);
    return kExitOk;
}

} // namespace

int runPriceList(Context& context, Arguments& args) {
    const std::optional<std::string> set = args.option("--set");
    if (!args.positional().empty()) throw UsageError("price-list takes no positional arguments");
    if (set) return setPriceList(context, *set);
    TZPriceFile prices;
    // A missing price file is an empty price list, as every price dialog and the estimate take it.
    prices.load(context.app().programDir());
    printPriceList(prices);
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
