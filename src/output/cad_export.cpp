#include "output/cad_export.h"

#include <cmath>
#include <cwctype>

#include "model/ceiling.h"
#include "model/settings.h"
#include "output/cad_drawing.h"
#include "output/cad_files.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

bool endsWith(const std::wstring& path, const wchar_t* ending) {
    const std::wstring e(ending);
    if (path.size() < e.size()) return false;
    for (std::size_t i = 0; i < e.size(); ++i)
        if (std::towlower(static_cast<wint_t>(path[path.size() - e.size() + i])) != static_cast<wint_t>(e[i]))
            return false;
    return true;
}

CadExportResult finished(CadExportResult r, CadStatus status) {
    r.status = status;
    return r;
}

// The drawing's size against the limits.
bool withinLimits(CadExportResult& r, const CadDrawing& drawing) {
    r.points = drawing.pointCount();
    r.extent = drawing.extent();
    return r.points <= kMaxCadPoints && r.extent <= kMaxCadCoordinate;
}

} // namespace

CadFormat cadFormatFor(const std::wstring& path) {
    if (endsWith(path, L".dxf")) return CadFormat::Dxf;
    if (endsWith(path, L".plt")) return CadFormat::Hpgl;
    return CadFormat::None;
}

bool hasCanvasPieces(TZCeiling& doc) {
    if (doc.seamLines.count() < 4 || doc.seamFrom < 0 || doc.seamTo < 0) return false;
    return !canvasRoll(doc, false).pieces.empty();
}

CadExportResult exportCad(TZCeiling& doc, const std::wstring& path, bool canvases,
                          const AppSettings& settings) {
    CadExportResult r;
    r.format = cadFormatFor(path);
    r.canvases = canvases || r.format == CadFormat::Hpgl;
    if (r.format == CadFormat::None) return finished(r, CadStatus::WriteFailed);
    if (doc.editor.mode == kModeStart || doc.polygon.count() == 0)
        return finished(r, CadStatus::NothingToDraw);
    const std::filesystem::path file = codepage::toPath(path);

    if (!r.canvases) {
        const CadDrawing drawing = roomCadDrawing(doc);
        if (drawing.lines.empty()) return finished(r, CadStatus::NothingToDraw);
        if (!withinLimits(r, drawing)) return finished(r, CadStatus::TooLarge);
        return finished(r, writeDxf(drawing, file) ? CadStatus::Written : CadStatus::WriteFailed);
    }

    r.mirrored = cuttingDisplayMirrored(settings);
    const CanvasRoll roll = canvasRoll(doc, r.mirrored);
    r.pieces = static_cast<int>(roll.pieces.size());
    r.rollWidth = roll.width;
    r.rollLength = roll.length;
    if (roll.pieces.empty()) return finished(r, CadStatus::NoLayout);
    const CadDrawing drawing = rollCadDrawing(roll);
    if (!withinLimits(r, drawing)) return finished(r, CadStatus::TooLarge);
    if (r.format == CadFormat::Dxf)
        return finished(r, writeDxf(drawing, file) ? CadStatus::Written : CadStatus::WriteFailed);
    return finished(r,
                    writeFileReplacing(file, hpglText(roll)) ? CadStatus::Written : CadStatus::WriteFailed);
}

std::wstring cadExportFilter(bool withLayout) {
    std::wstring filter = L"Чертёж DXF (для CAD-систем и плоттеров) (*.dxf)|*.dxf|";
    if (withLayout)
        filter += std::wstring(kCanvasDxfFilterText) + L"|*.dxf|Полотна для плоттера HPGL (*.plt)|*.plt|";
    return filter;
}

std::wstring cadFailureText(const CadExportResult& result, const std::wstring& path) {
    switch (result.status) {
    case CadStatus::Written:
        return {};
    case CadStatus::NothingToDraw:
        return L"Чертёж пуст: экспортировать нечего.";
    case CadStatus::NoLayout:
        return L"В проекте нет раскроя: сначала разложите полотна («Раскрой фигуры»).";
    case CadStatus::TooLarge:
        return L"Чертёж слишком велик для файла CAD (больше 10 км или больше 200000 точек). "
               L"Проверьте длины сторон и ширину полотна.";
    case CadStatus::WriteFailed:
        break;
    }
    return L"Не удалось записать файл " + path;
}

} // namespace tenzora
