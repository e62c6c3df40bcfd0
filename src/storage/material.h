#pragma once
// A row of the materials base: a group of fabrics or a fabric (they share one record).

#include <cstdint>
#include <string>

namespace tenzora {

struct Material {
    // The name field of the file and of the record holds at most this many bytes plus its NUL.
    static constexpr std::size_t kNameField = 150;

    std::int32_t id = 0;
    std::int32_t groupRow = -1;   // run time: the group row of this material in a working copy
    std::int32_t baseRecord = -1; // run time: the base record a working-copy row came from
    std::uint8_t isGroup = 0;
    std::string name; // Windows-1251 bytes, at most kNameField − 1
    double tensionCoef = 0.93;
    double offcutPriceCoef = 1.0;
    std::int32_t groupId = 0;
    double width = 100.0; // roll width, cm
    double stock = 0.0;   // run time: remainder computed by the stock scan

    // Cuts a name to what its fixed field holds.
    void setName(std::string text) {
        if (text.size() > kNameField - 1) text.resize(kNameField - 1);
        name = std::move(text);
    }
};

} // namespace tenzora
