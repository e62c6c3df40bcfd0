// Print form files come from the program directory and are edited by hand: any bytes must parse
// without a crash, and every element must be one of the known kinds with bounded texts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "output/print_form_file.h"

using namespace tenzora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool dealer : {false, true}) {
        TZPrintForm form;
        if (!parsePrintForm(form, bytes, dealer)) continue;
        if (form.count() < 1) std::abort(); // the logo element is always there
        for (const TZPrintFormElem& e : form) {
            if (e.type < 0 || e.type > 7) std::abort();
            if (e.text.size() > printFormFile::kMaxFieldChars) std::abort();
        }
    }
    return 0;
}
