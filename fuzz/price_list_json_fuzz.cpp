// The JSON reader of tenzora-cli price-list --set on any text: no crash, leak or unbounded
// allocation; whatever it accepts is a price list that writes a price.dat reading back to the
// same lists, and prints as JSON that is accepted again unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cli/price_list_json.h"
#include "seeds.h"

using namespace tenzora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    writeSeeds(
        {{"empty.json",
          R"({"cities":[],"areaSteps":[],"cornerSteps":[],"ceilings":[],"corners":[],"extraWorks":[]})"},
         {"sample.json",
          R"({"cities":["Москва","Тверь"],"areaSteps":[20,50.5],"cornerSteps":[4,8],)"
          R"("ceilings":[{"name":"Матовый","city":0,"prices":[500,450,400]}],)"
          R"("corners":[{"city":1,"prices":[0,100,150]}],)"
          R"("extraWorks":[{"name":"%Срочность","city":1,"price":1.2},{"name":"Люстра","city":0,"price":500}]})"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZPriceFile prices;
    std::string error;
    if (!cli::priceListFromJson(std::string_view(reinterpret_cast<const char*>(data), size), prices, error)) {
        if (error.empty()) std::abort(); // a refusal always says why
        return 0;
    }
    const std::string bytes = prices.serialize();
    TZPriceFile reread;
    if (!reread.parse(bytes) || reread.serialize() != bytes) std::abort();
    const std::string text = cli::priceListToJson(prices).dump();
    TZPriceFile again;
    if (!cli::priceListFromJson(text, again, error) || again.serialize() != bytes) std::abort();
    return 0;
}
