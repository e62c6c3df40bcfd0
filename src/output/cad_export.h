#pragma once
// The CAD export: the drawing as a DXF file for CAD programs, and the canvas pieces of the
// layout for cutting, as a DXF file or as HPGL for cutting plotters. Chosen by the path's
// ending, ".dxf" or ".plt" in any case of letters (the picture formats keep their rule of the
// last three characters, which these endings do not meet).

#include <cstddef>
#include <string>

namespace tenzora {

class TZCeiling;
struct AppSettings;

enum class CadFormat { None, Dxf, Hpgl };

CadFormat cadFormatFor(const std::wstring& path);

// Limits of a CAD file. An outline mistyped by orders of magnitude (50 000 000 cm) would give
// coordinates no plotter can address, and an absurd layout points without end; such a file is
// refused and the user told why, rather than written scaled — a cutting file at the wrong scale
// cuts the wrong fabric.
inline constexpr double kMaxCadCoordinate = 1e6; // cm: 10 km
inline constexpr std::size_t kMaxCadPoints = 200000;

enum class CadStatus {
    Written,
    NothingToDraw, // no outline
    NoLayout,      // canvas pieces asked for, but the project has no layout with pieces
    TooLarge,      // beyond the limits above
    WriteFailed,
};

struct CadExportResult {
    CadStatus status = CadStatus::WriteFailed;
    CadFormat format = CadFormat::None;
    bool canvases = false;  // the canvas pieces (always for HPGL)
    int pieces = 0;         // canvas pieces written
    double rollWidth = 0;   // cm
    double rollLength = 0;  // cm, from the roll's start to the end of the last piece
    bool mirrored = false;  // the pieces are mirrored, as the cutting display is
    std::size_t points = 0; // points and texts written (or that would have been)
    double extent = 0;      // the largest coordinate magnitude, cm
    bool ok() const { return status == CadStatus::Written; }
};

// Writes the drawing (or, with `canvases` or for ".plt", the canvas pieces) to the path, which
// must end in ".dxf" or ".plt". The settings decide whether the pieces are mirrored.
CadExportResult exportCad(TZCeiling& doc, const std::wstring& path, bool canvases,
                          const AppSettings& settings);

// Whether the project has canvas pieces to export.
bool hasCanvasPieces(TZCeiling& doc);

// The entries of the export dialog: the DXF drawing, and with a layout the canvas pieces as DXF
// and as HPGL (written "Text|pattern|" as every filter of the program).
std::wstring cadExportFilter(bool withLayout);
// The text of the dialog entry that writes the canvas pieces as DXF.
inline constexpr wchar_t kCanvasDxfFilterText[] =
    L"Полотна для раскроя DXF (для плоттеров и резаков) (*.dxf)";

// The message telling the user why the export failed; empty when it did not fail.
std::wstring cadFailureText(const CadExportResult& result, const std::wstring& path);

} // namespace tenzora
