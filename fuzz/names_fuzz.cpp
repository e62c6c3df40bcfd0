// Typed vertex and record names: the readers must accept any text without crashing, and every
// pair they accept must name two indexes that print back to a name the readers agree on.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/names.h"
#include "storage/codepage.h"

using namespace tenzora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring typed = codepage::fromUtf8(bytes);
    const std::wstring keyed = applyNameKeys(typed);
    (void)vertexIndex(keyed);
    (void)vertexIndexStrict(keyed);
    if (const auto pair = parsePairName(keyed)) {
        for (int index : {pair->first, pair->second}) {
            if (index >= 0 && index < 1'000'000) {
                const std::wstring name = vertexName(index);
                if (vertexIndex(name) != index || vertexIndexStrict(name) != index) std::abort();
            }
        }
    }
    const std::wstring fromBytes = codepage::fromCp1251(bytes);
    if (codepage::toCp1251(fromBytes) != bytes) std::abort(); // the code page is lossless
    return 0;
}
