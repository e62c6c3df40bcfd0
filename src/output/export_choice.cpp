#include "output/export_choice.h"

#include "model/ceiling.h"
#include "output/cad_export.h"
#include "output/office_documents.h"
#include "output/picture_export.h"
#include "platform/launcher.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

constexpr wchar_t kPictureFilters[] =
    L"Рисунки PNG (оптимальный формат для рисунков) (*.png)|*.png|Рисунки GIF (*.gif)|*.gif|"
    L"Рисунки TIFF (*.tiff)|*.tiff|Рисунки JPEG (не рекомендуется) (*.jpg)|*.jpg|"
    L"Microsoft Word (*.doc)|*.doc|ОТКРЫТЬ В Microsoft Word (без имени)|*.|";
constexpr wchar_t kWindowsMetafileFilter[] = L"MetaFile - векторный формат (для CAD-систем) (*.wmf)|*.wmf|";
constexpr wchar_t kEnhancedMetafileFilter[] =
    L"Enhanced MetaFile - векторный формат (для CAD-систем) (*.emf)|*.emf||";

} // namespace

std::wstring exportFileFilter(int formIndex, bool withLayout) {
    std::wstring filter = kPictureFilters;
    if (formIndex < 0) filter += kWindowsMetafileFilter;
    filter += kEnhancedMetafileFilter;
    // The CAD files hold the drawing or its canvases, not a printed sheet.
    if (formIndex < 0) filter.insert(filter.size() - 1, cadExportFilter(withLayout));
    return filter;
}

std::wstring exportFailureText(const ExportResult& result, const std::wstring& path) {
    switch (result.status) {
    case ExportStatus::Written:
        return {};
    case ExportStatus::NothingToDraw:
        return L"Чертёж пуст: экспортировать нечего.";
    case ExportStatus::NoSuchForm:
        return L"Нет такой печатной формы.";
    case ExportStatus::DrawingFailed:
        return L"Не удалось нарисовать чертёж для экспорта.";
    case ExportStatus::Unsupported:
        return L"Этот формат файла здесь не поддерживается: " + path;
    case ExportStatus::WriteFailed:
        break;
    }
    // The Word route writes its picture and script in the temporary folder: name what failed.
    const std::wstring written = result.format == ExportFormat::Word && !result.picture.empty()
                                     ? codepage::fromPath(result.picture)
                                     : path;
    return L"Не удалось записать файл " + written;
}

bool chooseExportFile(TZCeiling& doc, int formIndex, ExportServices& services, Launcher* launcher) {
    FileDialogRequest request;
    request.save = true;
    request.filter = exportFileFilter(formIndex, formIndex < 0 && hasCanvasPieces(doc));
    std::wstring chosenFilter;
    request.chosenFilter = &chosenFilter;
    request.initialName = doc.orderName;
    request.confirmOverwrite = true;
    const std::optional<std::wstring> path = doc.ui().chooseFile(request);
    if (!path || path->empty()) return false;

    if (formIndex < 0 && cadFormatFor(*path) != CadFormat::None) {
        const CadExportResult cad =
            exportCad(doc, *path, chosenFilter == kCanvasDxfFilterText, services.settings);
        if (!cad.ok()) doc.ui().error(cadFailureText(cad, *path));
        return cad.ok();
    }
    const ExportResult result = exportDrawing(doc, *path, formIndex, services);
    if (!result.ok()) {
        doc.ui().error(exportFailureText(result, *path));
        return false;
    }
    // The picture made for Word goes on to the office program (LibreOffice where there is no
    // script host for the picture script).
    if (result.format == ExportFormat::Word && launcher != nullptr)
        handOnWordPicture(doc.ui(), doc.programDir(), result, *path, *launcher);
    return true;
}

} // namespace tenzora
