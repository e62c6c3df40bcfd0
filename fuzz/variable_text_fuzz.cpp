// The sheet's variable texts of any project a file can hold, in any box: no crash, no hang, and
// wrapping never leaves a line longer than the width unless the text was left alone.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../tests/storage/image_bytes.h"
#include "model/ceiling.h"
#include "model/print_form.h"
#include "model/settings.h"
#include "output/report_fields.h"
#include "output/text_wrap.h"
#include "output/variable_text.h"
#include "platform/ui_services.h"
#include "seeds.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

// No materials base or price list is read while fuzzing.
const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-fuzz";
// The first bytes choose the box; the rest is the project.
constexpr std::size_t kBoxBytes = 3;

std::string imageOf(TZCeiling& doc) {
    TZDynamicMemory s;
    saveToStream(doc, s);
    return std::string(s.bytes());
}

void checkWrapped(const std::wstring& text, int width) {
    std::size_t line = 0;
    for (wchar_t c : text) {
        line = c == L'\n' ? 0 : line + 1;
        if (line > static_cast<std::size_t>(width)) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilentUiServices ui;
    TZCeiling full(ui, kNoProgramDir);
    fillEveryField(full);
    full.view.showLengths = true;
    writeSeeds({{"full-wrapped.tz", std::string("\x0e\x02\x01", kBoxBytes) + imageOf(full)},
                {"full-unwrapped.tz", std::string("\0\0\0", kBoxBytes) + imageOf(full)}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kBoxBytes) return 0;
    TZPrintFormElem element;
    element.wrapWidth = static_cast<std::int8_t>(data[0]);
    element.maxLines = static_cast<std::int8_t>(data[1]);
    TZPrintForm form;
    form.english = (data[2] & 1) != 0;
    form.scale = data[2] >> 1;

    const std::string_view rest(reinterpret_cast<const char*>(data) + kBoxBytes, size - kBoxBytes);
    // Wrapping on its own, the bytes as text.
    std::wstring text(rest.begin(), rest.end());
    int breaks = 0;
    wrapText(element, text, breaks);
    if (element.wrapWidth > 0 && breaks > 0) checkWrapped(text, element.wrapWidth);

    SilentUiServices ui;
    TZCeiling doc(ui, kNoProgramDir);
    TZDynamicMemory input;
    input.assign(rest);
    bool currentFormat = true;
    if (!loadFromStream(doc, input, currentFormat)) return 0;
    AppSettings settings;
    std::wstring continuation;
    for (const ReportField& f : reportFields()) {
        element.variable = f.id;
        variableText(doc, settings, form, element, f.id, continuation);
    }
    return 0;
}
