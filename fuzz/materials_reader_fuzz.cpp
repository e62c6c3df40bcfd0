// The materials.mat reader on any bytes: no crash, leak or unbounded allocation, and a base it
// accepts writes a file that reads back and writes again byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "seeds.h"
#include "storage/codepage.h"
#include "storage/material_base.h"

using namespace tenzora;

namespace {

TZMaterialBase sampleBase() {
    TZMaterialBase base;
    base.loadCounter = 12;
    const struct {
        int id, groupId, isGroup;
        const wchar_t* name;
        double width;
    } rows[] = {{1, 0, 1, L"Матовые", 0}, {2, 1, 0, L"Белый", 320}, {3, 1, 0, L"Слоновая кость", 270}};
    for (const auto& r : rows) {
        Material m;
        m.id = r.id;
        m.groupId = r.groupId;
        m.isGroup = static_cast<std::uint8_t>(r.isGroup);
        m.setName(codepage::toCp1251(r.name));
        m.width = r.width;
        base.append(m);
    }
    return base;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TZMaterialBase one;
    one.append(Material{});
    writeSeeds({{"empty.mat", materialsFile::serialize(TZMaterialBase{}, false)},
                {"one.mat", materialsFile::serialize(one, false)},
                {"three.mat", materialsFile::serialize(sampleBase(), false)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TZMaterialBase base;
    if (!materialsFile::parse(std::string_view(reinterpret_cast<const char*>(data), size), base)) {
        if (base.count() != 0) std::abort(); // a refused file leaves the base empty
        return 0;
    }
    const std::string first = materialsFile::serialize(base, false);
    TZMaterialBase again;
    if (!materialsFile::parse(first, again)) std::abort();
    if (materialsFile::serialize(again, false) != first) std::abort();
    return 0;
}
