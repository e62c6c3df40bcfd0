#include "storage/export_file.h"

#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

std::wstring exportWriteFailedText(const std::wstring& path) {
    return L"Не удалось записать файл «" + path +
           L"». Проверьте, что папка существует и доступна для записи, а файл не открыт в другой программе.";
}

bool writeExportText(UiServices& ui, const std::wstring& path, std::wstring_view text) {
    if (!path.empty() && writeFileReplacing(codepage::toPath(path), codepage::toCp1251(text))) return true;
    ui.error(exportWriteFailedText(path));
    return false;
}

} // namespace tenzora
