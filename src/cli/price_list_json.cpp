#include "cli/price_list_json.h"

#include <cmath>
#include <limits>
#include <optional>

#include "model/formatting.h"
#include "model/value_ranges.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

namespace {

using nlohmann::json;

// The smallest gradation and the smallest gap between two: what the price list settings keep.
constexpr double kStepTolerance = 0.01;

nlohmann::ordered_json texts(const TZStaticArray<std::wstring>& list) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const std::wstring& t : list)
        out.push_back(codepage::toUtf8(t));
    return out;
}

nlohmann::ordered_json numbers(const TZStaticArray<double>& list) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (double v : list)
        out.push_back(v);
    return out;
}

// A refusal: the field and what is wrong with it.
struct Refusal {
    std::string field;
    std::string reason;
};

class Reader {
  public:
    std::optional<Refusal> refusal;

    bool fail(const std::string& field, const std::string& reason) {
        if (!refusal) refusal = Refusal{field, reason};
        return false;
    }

    const json* member(const json& object, const std::string& path, const char* key) {
        const auto it = object.find(key);
        if (it == object.end()) {
            fail(path + key, "поле отсутствует");
            return nullptr;
        }
        return &*it;
    }

    const json* list(const json& object, const std::string& path, const char* key) {
        const json* value = member(object, path, key);
        if (value == nullptr) return nullptr;
        if (!value->is_array()) return fail(path + key, "должен быть список [...]"), nullptr;
        if (value->size() > static_cast<std::size_t>(priceFile::kMaxListCount))
            return fail(path + key, "больше " + std::to_string(priceFile::kMaxListCount) + " элементов"),
                   nullptr;
        return value;
    }

    bool text(const json& value, const std::string& field, std::wstring& out) {
        if (!value.is_string()) return fail(field, "должна быть строка");
        out = codepage::fromUtf8(value.get_ref<const std::string&>());
        if (out.empty()) return fail(field, "пустое название");
        // A wide string ends at its first zero: a name holding one would be cut short in price.dat.
        if (out.find(L'\0') != std::wstring::npos) return fail(field, "название содержит символ с кодом 0");
        return true;
    }

    bool number(const json& value, const std::string& field, double& out) {
        if (!value.is_number()) return fail(field, "должно быть число");
        out = value.get<double>();
        if (!std::isfinite(out)) return fail(field, "число вне допустимого диапазона");
        return true;
    }

    bool integer(const json& value, const std::string& field, std::int32_t& out) {
        if (!value.is_number_integer()) return fail(field, "должно быть целое число");
        if (value.is_number_unsigned()
                ? value.get<std::uint64_t>() > std::numeric_limits<std::int32_t>::max()
                : value.get<std::int64_t>() < std::numeric_limits<std::int32_t>::min() ||
                      value.get<std::int64_t>() > std::numeric_limits<std::int32_t>::max())
            return fail(field, "число вне диапазона 32-битного целого");
        out = static_cast<std::int32_t>(value.get<std::int64_t>());
        return true;
    }

    bool price(const json& value, const std::string& field, double& out) {
        if (!number(value, field, out)) return false;
        if (out < 0) return fail(field, "цена не может быть отрицательной");
        if (!valueRange::contains(valueRange::kPrice, out))
            return fail(field, "цена должна быть не больше " + formatNumberAscii(valueRange::kPrice.high, 0));
        return true;
    }

    bool city(const json& object, const std::string& path, int cityCount, std::int32_t& out) {
        const json* value = member(object, path, "city");
        if (value == nullptr || !integer(*value, path + "city", out)) return false;
        if (out < 0 || out >= cityCount)
            return fail(path + "city", "города с номером " + std::to_string(out) + " нет (номера городов: " +
                                           (cityCount == 0 ? std::string("список городов пуст")
                                                           : "0…" + std::to_string(cityCount - 1)) +
                                           ")");
        return true;
    }

    bool prices(const json& object, const std::string& path, TZStaticArray<double>& out) {
        const json* value = member(object, path, "prices");
        if (value == nullptr) return false;
        if (!value->is_array()) return fail(path + "prices", "должен быть список [...]");
        if (value->size() > static_cast<std::size_t>(priceFile::kMaxPricesPerRow))
            return fail(path + "prices", "больше " + std::to_string(priceFile::kMaxPricesPerRow) + " цен");
        for (std::size_t i = 0; i < value->size(); ++i) {
            double p = 0;
            if (!price((*value)[i], path + "prices[" + std::to_string(i) + "]", p)) return false;
            out.append(p);
        }
        return true;
    }

    bool object(const json& value, const std::string& field, std::initializer_list<const char*> keys) {
        if (!value.is_object()) return fail(field, "должен быть объект {...}");
        for (const auto& [key, item] : value.items()) {
            bool known = false;
            for (const char* k : keys)
                known = known || key == k;
            if (!known) return fail(field + (field.empty() ? "" : ".") + key, "неизвестное поле");
        }
        return true;
    }

    bool read(const json& root, TZPriceFile& p) {
        if (!object(root, "", {"cities", "areaSteps", "cornerSteps", "ceilings", "corners", "extraWorks"}))
            return false;
        const json* cities = list(root, "", "cities");
        if (cities == nullptr) return false;
        for (std::size_t i = 0; i < cities->size(); ++i) {
            std::wstring name;
            if (!text((*cities)[i], "cities[" + std::to_string(i) + "]", name)) return false;
            p.cities.append(name);
        }
        const int cityCount = p.cities.count();

        const json* areas = list(root, "", "areaSteps");
        if (areas == nullptr) return false;
        for (std::size_t i = 0; i < areas->size(); ++i) {
            const std::string field = "areaSteps[" + std::to_string(i) + "]";
            double v = 0;
            if (!number((*areas)[i], field, v)) return false;
            if (!(v > kStepTolerance)) return fail(field, "градация площади должна быть больше 0.01");
            if (!valueRange::contains(valueRange::kAreaStep, v))
                return fail(field, "градация площади должна быть не больше " +
                                       formatNumberAscii(valueRange::kAreaStep.high, 0));
            if (i > 0 && !(v - p.areaSteps[static_cast<int>(i) - 1] >= kStepTolerance))
                return fail(field, "градации площадей должны возрастать, каждая не менее чем на 0.01");
            p.areaSteps.append(v);
        }

        const json* corners = list(root, "", "cornerSteps");
        if (corners == nullptr) return false;
        for (std::size_t i = 0; i < corners->size(); ++i) {
            const std::string field = "cornerSteps[" + std::to_string(i) + "]";
            std::int32_t v = 0;
            if (!integer((*corners)[i], field, v)) return false;
            if (v < 1) return fail(field, "градация количества углов должна быть не меньше 1");
            if (i > 0 && v <= p.cornerSteps[static_cast<int>(i) - 1])
                return fail(field, "градации количества углов должны возрастать без повторов");
            p.cornerSteps.append(v);
        }

        const json* ceilings = list(root, "", "ceilings");
        if (ceilings == nullptr) return false;
        for (std::size_t i = 0; i < ceilings->size(); ++i) {
            const std::string path = "ceilings[" + std::to_string(i) + "]";
            const json& row = (*ceilings)[i];
            TZPriceCeil ceiling;
            if (!object(row, path, {"name", "city", "prices"})) return false;
            const json* name = member(row, path + ".", "name");
            if (name == nullptr || !text(*name, path + ".name", ceiling.name)) return false;
            if (!city(row, path + ".", cityCount, ceiling.city) || !prices(row, path + ".", ceiling.prices))
                return false;
            p.ceilingPrices.append(std::move(ceiling));
        }

        const json* cornerRows = list(root, "", "corners");
        if (cornerRows == nullptr) return false;
        for (std::size_t i = 0; i < cornerRows->size(); ++i) {
            const std::string path = "corners[" + std::to_string(i) + "]";
            const json& row = (*cornerRows)[i];
            TZPriceAngle surcharge;
            if (!object(row, path, {"city", "prices"})) return false;
            if (!city(row, path + ".", cityCount, surcharge.city) ||
                !prices(row, path + ".", surcharge.prices))
                return false;
            p.cornerPrices.append(std::move(surcharge));
        }

        const json* works = list(root, "", "extraWorks");
        if (works == nullptr) return false;
        for (std::size_t i = 0; i < works->size(); ++i) {
            const std::string path = "extraWorks[" + std::to_string(i) + "]";
            const json& row = (*works)[i];
            TZPriceDop work;
            if (!object(row, path, {"name", "city", "price"})) return false;
            const json* name = member(row, path + ".", "name");
            if (name == nullptr || !text(*name, path + ".name", work.name)) return false;
            if (!city(row, path + ".", cityCount, work.city)) return false;
            const json* value = member(row, path + ".", "price");
            if (value == nullptr || !price(*value, path + ".price", work.price)) return false;
            p.extraWorks.append(std::move(work));
        }
        return true;
    }
};

} // namespace

nlohmann::ordered_json priceListToJson(const TZPriceFile& prices) {
    using ordered = nlohmann::ordered_json;
    ordered cornerSteps = ordered::array();
    for (std::int32_t k : prices.cornerSteps)
        cornerSteps.push_back(k);
    ordered ceilings = ordered::array();
    for (const TZPriceCeil& row : prices.ceilingPrices)
        ceilings.push_back(
            {{"name", codepage::toUtf8(row.name)}, {"city", row.city}, {"prices", numbers(row.prices)}});
    ordered corners = ordered::array();
    for (const TZPriceAngle& row : prices.cornerPrices)
        corners.push_back({{"city", row.city}, {"prices", numbers(row.prices)}});
    ordered works = ordered::array();
    for (const TZPriceDop& work : prices.extraWorks)
        works.push_back({{"name", codepage::toUtf8(work.name)}, {"city", work.city}, {"price", work.price}});
    ordered out = ordered::object();
    out["cities"] = texts(prices.cities);
    out["areaSteps"] = numbers(prices.areaSteps);
    out["cornerSteps"] = std::move(cornerSteps);
    out["ceilings"] = std::move(ceilings);
    out["corners"] = std::move(corners);
    out["extraWorks"] = std::move(works);
    return out;
}

bool priceListFromJson(std::string_view text, TZPriceFile& prices, std::string& error) {
    json root;
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::exception& e) {
        // The parser's own words say where the text goes wrong ("at line 3, column 7").
        error = std::string("Текст не является правильным JSON: ") + e.what();
        return false;
    }
    TZPriceFile read;
    Reader reader;
    if (!reader.read(root, read)) {
        const Refusal& r = *reader.refusal;
        error = r.field.empty() ? r.reason : "Поле \"" + r.field + "\": " + r.reason;
        return false;
    }
    if (read.serialize().size() > priceFile::kMaxFileBytes) {
        error = "Прайс-листы слишком велики для файла price.dat";
        return false;
    }
    prices = std::move(read);
    return true;
}

} // namespace cli

} // namespace tenzora
