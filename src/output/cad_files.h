#pragma once
// The file formats of the CAD export: DXF (through dxflib) for CAD programs, HPGL for cutting
// plotters.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tenzora {

struct CadDrawing;
struct CanvasRoll;

// Writes the drawing as a DXF file of AutoCAD 2000: centimetres ($INSUNITS 5), every layer of the
// drawing declared with its colour, polylines as LWPOLYLINE, texts as TEXT. Texts that are not
// plain ASCII are written with the \U+XXXX escapes DXF readers understand. The file replaces an
// existing one only once it is complete; false when it could not be written.
bool writeDxf(const CadDrawing& drawing, const std::filesystem::path& path);

// Plotter units per centimetre: HPGL counts 40 units per millimetre.
inline constexpr int kHpglUnitsPerCm = 400;

// The roll as HPGL: "IN;SP1;", then every ring of every piece as "PU x,y;PD x,y,…;" back to its
// first point, pieces in roll order; "PU0,0;SP0;" at the end. Coordinates are whole plotter
// units from the roll's start (x) and its edge (y). Only the cutting lines are written: a cutter
// would cut the roll edges and the numbers too.
std::string hpglText(const CanvasRoll& roll);

} // namespace tenzora
