#pragma once
// The materials base and the price lists a fresh installation starts with (data/materials.mat
// and data/price.dat), built in code. default_data_test.cpp checks that the shipped files are
// exactly what this code writes, and rewrites them when TENZORA_WRITE_DEFAULT_DATA=1 is set.
// The fabrics of the example projects (data/examples) are in the base under the same group ids
// and names, so that the stock scan counts them.

#include <string>

#include "storage/codepage.h"
#include "storage/material_base.h"
#include "storage/price_file.h"

namespace tenzora {

namespace defaultData {

inline void addRecord(TZMaterialBase& base, int id, int groupId, bool isGroup, const wchar_t* name,
                      double width, double tensionCoef = 0.93, double offcutPriceCoef = 1.0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = isGroup ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    m.tensionCoef = tensionCoef;
    m.offcutPriceCoef = offcutPriceCoef;
    base.append(m);
}

inline TZMaterialBase materials() {
    TZMaterialBase base;
    base.loadCounter = 0;
    addRecord(base, 1, 0, true, L"Матовые", 0);
    addRecord(base, 2, 1, false, L"Белый матовый", 320);
    addRecord(base, 3, 1, false, L"Белый матовый 500", 500);
    addRecord(base, 4, 0, true, L"Глянцевые", 0);
    addRecord(base, 5, 4, false, L"Глянец бежевый", 270);
    addRecord(base, 6, 4, false, L"Глянец белый", 320);
    addRecord(base, 7, 4, false, L"Глянец чёрный", 320);
    addRecord(base, 8, 0, true, L"Сатиновые", 0);
    addRecord(base, 9, 8, false, L"Сатин белый", 320);
    addRecord(base, 10, 8, false, L"Сатин белый 500", 500);
    addRecord(base, 11, 0, true, L"Тканевые", 0);
    // Woven fabric hardly stretches, and its offcuts are dear.
    addRecord(base, 12, 11, false, L"Дескор белый", 510, 0.98, 1.2);
    return base;
}

inline void ceilingRow(TZPriceFile& p, int city, const wchar_t* name, std::initializer_list<double> perBand) {
    TZPriceCeil row;
    row.name = name;
    row.city = city;
    for (double price : perBand)
        row.prices.append(price);
    p.ceilingPrices.append(row);
}

inline void cornerRow(TZPriceFile& p, int city, std::initializer_list<double> perBand) {
    TZPriceAngle row;
    row.city = city;
    for (double price : perBand)
        row.prices.append(price);
    p.cornerPrices.append(row);
}

inline TZPriceFile prices() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"Санкт-Петербург");
    // Area bands: up to 10 m², 10–20, 20–50, above 50; corner bands: up to 4, 4–8, above 8.
    for (double step : {10.0, 20.0, 50.0})
        p.areaSteps.append(step);
    for (int step : {4, 8})
        p.cornerSteps.append(step);

    ceilingRow(p, 0, L"Матовый", {650, 600, 550, 500});
    ceilingRow(p, 0, L"Сатиновый", {700, 650, 600, 550});
    ceilingRow(p, 0, L"Глянцевый", {750, 700, 650, 600});
    ceilingRow(p, 0, L"Тканевый", {1500, 1400, 1300, 1200});
    ceilingRow(p, 1, L"Матовый", {600, 550, 500, 450});
    ceilingRow(p, 1, L"Сатиновый", {650, 600, 550, 500});
    ceilingRow(p, 1, L"Глянцевый", {700, 650, 600, 550});
    ceilingRow(p, 1, L"Тканевый", {1400, 1300, 1200, 1100});

    cornerRow(p, 0, {0, 150, 200});
    cornerRow(p, 1, {0, 120, 180});

    p.extraWorks.append({L"Люстра", 0, 500});
    p.extraWorks.append({L"Светильник", 0, 350});
    p.extraWorks.append({L"Обход трубы", 0, 300});
    p.extraWorks.append({L"Скрытый карниз, м", 0, 1200});
    p.extraWorks.append({L"%Срочный монтаж", 0, 1.2});
    p.extraWorks.append({L"Люстра", 1, 450});
    p.extraWorks.append({L"Светильник", 1, 300});
    p.extraWorks.append({L"Обход трубы", 1, 250});
    p.extraWorks.append({L"%Срочный монтаж", 1, 1.15});
    return p;
}

} // namespace defaultData

} // namespace tenzora
