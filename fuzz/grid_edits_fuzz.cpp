// The grids of the materials, price list, price options and project information dialogs take
// whatever is typed into any cell of any row, in any order, with a city chosen between edits:
// nothing may crash, the edited row and the last one read back, and a grid grows by at most one
// row per edit. The price dialogs read their file afresh for each input, as they do when opened.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "business/materials_form.h"
#include "business/price_list_form.h"
#include "business/price_options_form.h"
#include "business/project_form.h"
#include "cycling_bytes.h"
#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "seeds.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "storage/price_file.h"

using namespace tenzora;

namespace {

#define check(ok)                                                                                            \
    do {                                                                                                     \
        if (!(ok)) {                                                                                         \
            std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #ok);                            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// A program directory holding a price file of two cities with two area and two corner bands.
std::filesystem::path priceFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path dir =
            std::filesystem::temp_directory_path() / ("tenzora-grid-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        TZPriceFile prices;
        prices.cities.append(L"Москва");
        prices.cities.append(L"Тверь");
        prices.areaSteps.append(10.0);
        prices.areaSteps.append(20.0);
        prices.cornerSteps.append(4);
        prices.cornerSteps.append(8);
        for (int city = 0; city < 2; ++city) {
            TZPriceCeil row;
            row.name = L"Матовый белый";
            row.city = city;
            for (double p : {450.0, 420.0, 400.0})
                row.prices.append(p);
            prices.ceilingPrices.append(row);
            TZPriceAngle corners;
            corners.city = city;
            for (double p : {0.0, 150.0, 200.0})
                corners.prices.append(p);
            prices.cornerPrices.append(corners);
            prices.extraWorks.append(TZPriceDop{L"Люстра", city, 500.0});
            prices.extraWorks.append(TZPriceDop{L"%Срочность", city, 10.0});
        }
        if (!prices.save(dir)) std::abort();
        // The folder goes when the run ends (its name kept where exit's clean-up cannot have
        // destroyed it yet).
        static char name[4096];
        std::snprintf(name, sizeof name, "%s", dir.c_str());
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(std::filesystem::path(name), ec);
        });
        return dir;
    }();
    return folder;
}

constexpr std::size_t kMaxSteps = 32;

std::wstring text(CyclingBytes& in) {
    std::string bytes;
    const int length = in.byte() % 16;
    for (int i = 0; i < length; ++i)
        bytes += static_cast<char>(in.byte());
    return codepage::fromCp1251(bytes);
}

int row(CyclingBytes& in, int count) {
    const std::uint8_t b = in.byte();
    if (b >= 250) return 0x7FFFFFFF;
    return static_cast<int>(b % (count + 3)) - 1;
}

// The rows whose cells are read back after an edit: the edited one and the last one.
std::array<int, 2> shownRows(int edited, int count) {
    return {edited >= 0 && edited < count ? edited : 0, count - 1};
}

int column(CyclingBytes& in) {
    return static_cast<int>(in.byte() % 10) - 1;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    (void)priceFolder();
    writeSeeds({{"numbers", std::string("\x01\x02\x05"
                                        "12,5\x02\x03\x04"
                                        "1e308\x03\x01\x02"
                                        "nan-3",
                                        24)},
                {"names", "\x00\x01\x01\x06\xcc\xe0\xf2\xee\xe2\xfb\xe9\x02\x02\x02\x03"
                          "320\x01"},
                {"cities", "\x03\x00\x01\x05\xd2\xe2\xe5\xf0\xfc\x04\x01\x02\x02"
                           "15\x05\x01\x01\x02"
                           "9"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    CyclingBytes in(data, size);
    static SilentUiServices ui;
    static TZCeiling doc(ui, priceFolder());

    TZMaterialBase base;
    MaterialsForm materials(base, ui);
    materials.show();
    PriceListForm priceList(priceFolder(), ui);
    priceList.open();
    PriceOptionsForm options(priceFolder(), ui);
    options.open();
    ProjectForm project(doc);
    project.create();
    const int ceilingColumns = static_cast<int>(priceList.ceilingColumns().size());
    const int cornerColumns = static_cast<int>(priceList.cornerColumns().size());

    // The price dialogs read their file from the disk when opened and on every change of city, so
    // a long run of edits costs as many reads; sequences of 32 edits reach every grid and keep
    // each input quick.
    const std::size_t steps = std::min<std::size_t>(1 + size / 4, kMaxSteps);
    for (std::size_t step = 0; step < steps; ++step) {
        switch (in.byte() % 7) {
        case 0: {
            const int before = materials.rowCount();
            const int edited = row(in, before);
            materials.editCell(edited, column(in), text(in));
            check(materials.rowCount() <= before + 1);
            materials.selectRow(row(in, materials.rowCount()));
            for (int r : shownRows(edited, materials.rowCount()))
                for (int c = 0; c < 6; ++c)
                    (void)materials.cellText(r, c);
            break;
        }
        case 1: {
            const int before = priceList.ceilingRowCount();
            const int edited = row(in, before);
            priceList.editCeilingCell(edited, column(in), text(in));
            check(priceList.ceilingRowCount() <= before + 1);
            for (int r : shownRows(edited, priceList.ceilingRowCount()))
                for (int c = 0; c < ceilingColumns; ++c)
                    (void)priceList.ceilingCellText(r, c);
            break;
        }
        case 2: {
            const int before = priceList.workRowCount();
            const int edited = row(in, before);
            priceList.editWorkCell(edited, column(in), text(in));
            check(priceList.workRowCount() <= before + 1);
            for (int r : shownRows(edited, priceList.workRowCount()))
                for (int c = 0; c < 3; ++c)
                    (void)priceList.workCellText(r, c);
            break;
        }
        case 3: {
            const int before = priceList.cornerRowCount();
            const int edited = row(in, before);
            priceList.editCornerCell(edited, column(in), text(in));
            check(priceList.cornerRowCount() == before);
            for (int r : shownRows(edited, priceList.cornerRowCount()))
                for (int c = 0; c < cornerColumns; ++c)
                    (void)priceList.cornerCellText(r, c);
            break;
        }
        case 4:
            priceList.selectCity(row(in, priceList.cities().count()));
            project.changeCity(row(in, static_cast<int>(project.cities().size())));
            break;
        case 5: {
            const auto list = static_cast<PriceOptionsForm::List>(in.byte() % 3);
            const int before = options.rowCount(list);
            const int edited = row(in, before);
            options.editCell(list, edited, column(in), text(in));
            check(options.rowCount(list) <= before + 1);
            for (int r : shownRows(edited, options.rowCount(list)))
                for (int c = 0; c < 2; ++c)
                    (void)options.cellText(list, r, c);
            break;
        }
        default: {
            const int before = project.workRowCount();
            const int edited = row(in, before);
            project.editWorkCell(edited, column(in), text(in));
            check(project.workRowCount() <= before + 1);
            for (int r : shownRows(edited, project.workRowCount()))
                for (int c = 0; c < 3; ++c)
                    (void)project.workCellText(r, c);
            break;
        }
        }
    }
    return 0;
}
