// The office helper's result file on any bytes: no crash or leak, and whatever it reads gives a
// message that names the files.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "output/office_job.h"
#include "seeds.h"

using namespace tenzora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    writeSeeds({{"ok.result", "status=ok\noutput=/tmp/Заказ - Смета.docx\n"},
                {"failed.result", "status=failed\r\nreason=template\r\ndetail=cannot read /x.docx\r\n"}});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const OfficeResult result =
        parseOfficeResult(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::wstring text = officeFailureText(result, L"template.docx", L"out.docx");
    if (result.ok() != text.empty()) std::abort();
    if (!result.ok() && result.failure != OfficeFailure::Internal &&
        text.find(L".docx") == std::wstring::npos && result.failure != OfficeFailure::NotStarted)
        std::abort();
    return 0;
}
