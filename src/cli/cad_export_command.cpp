#include "cli/cad_export_command.h"

#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "model/ceiling.h"
#include "output/cad_export.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

std::string centimetres(double v) {
    std::ostringstream out;
    out.precision(1);
    out << std::fixed << v << " cm";
    return out.str();
}

} // namespace

int runCadExport(Context& context, const std::string& project, const std::string& out, bool canvases) {
    context.openProject(project);
    TZCeiling& doc = context.doc();
    const CadExportResult r = exportCad(doc, codepage::fromUtf8(out), canvases, context.app().settings());
    switch (r.status) {
    case CadStatus::Written:
        break;
    case CadStatus::NothingToDraw:
        throw Failure("the drawing has no outline: nothing to export");
    case CadStatus::NoLayout:
        throw Failure("the project has no cutting layout with canvas pieces: lay the canvases out first");
    case CadStatus::TooLarge:
        throw Failure("too large for a CAD file: " + std::to_string(r.points) + " points (at most " +
                      std::to_string(kMaxCadPoints) + ") and coordinates up to " + centimetres(r.extent) +
                      " (at most " + centimetres(kMaxCadCoordinate) + "); nothing written");
    case CadStatus::WriteFailed:
        throw Failure("Не удалось записать файл " + out);
    }
    std::cerr << "export: " << out << ", ";
    if (!r.canvases) {
        std::cerr << "the drawing in centimetres, " << r.points << " points and texts\n";
        return kExitOk;
    }
    std::cerr << r.pieces << (r.pieces == 1 ? " canvas piece" : " canvas pieces") << " along a roll "
              << centimetres(r.rollWidth) << " wide and " << centimetres(r.rollLength) << " long"
              << (r.mirrored ? ", mirrored as the cutting display" : "") << "\n";
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
