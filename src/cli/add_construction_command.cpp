// add-construction: the construction dialog's OK for a new record, headless.

#include <cmath>
#include <map>

#include "cli/commands.h"
#include "cli/outline_names.h"
#include "cli/project_json.h"
#include "cutting/construction_operations.h"
#include "model/ceiling.h"
#include "model/construction_form.h"
#include "model/names.h"

namespace tenzora {

namespace cli {
namespace {

const std::map<std::string, TZDopKind> kKinds = {{"rectangle", TZDopKind::Rectangle},
                                                 {"arc", TZDopKind::Arc},
                                                 {"corner-cut", TZDopKind::CornerCut},
                                                 {"trapezoid", TZDopKind::Trapezoid},
                                                 {"bend", TZDopKind::Bend}};

double numberOption(Arguments& args, const std::string& name, double fallback) {
    const auto text = args.option(name);
    return text ? parseValue(*text, name) : fallback;
}

} // namespace

int runAddConstruction(Context& context, Arguments& args) {
    const auto kindText = args.option("--kind");
    if (!kindText) throw UsageError("--kind is required (arc, rectangle, corner-cut, trapezoid or bend)");
    const auto kind = kKinds.find(*kindText);
    if (kind == kKinds.end()) throw UsageError("--kind: unknown kind \"" + *kindText + "\"");
    const bool cornerCut = kind->second == TZDopKind::CornerCut;
    const bool bend = kind->second == TZDopKind::Bend;

    const auto v1 = args.option("--v1");
    const auto v2 = args.option("--v2");
    if (!v2 || (!cornerCut && !v1))
        throw UsageError(cornerCut ? "--v2 (the corner) is required" : "--v1 and --v2 are required");
    ConstructionFields f;
    f.kind = static_cast<std::int32_t>(kind->second);
    f.distance1 = numberOption(args, "--d1", 0);
    f.distance2 = numberOption(args, "--d2", 0);
    f.depth = numberOption(args, "--depth", 0);
    f.arcLength = numberOption(args, "--arc-length", 0);
    const auto depth2 = args.option("--depth2");
    const auto extraPoints = args.option("--extra-points");
    if (depth2 && extraPoints) throw UsageError("give either --depth2 or --extra-points");
    if (kind->second == TZDopKind::Trapezoid) {
        if (extraPoints) throw UsageError("a trapezoid has --depth2, not --extra-points");
        f.extra = depth2 ? parseValue(*depth2, "--depth2") : 0;
    } else if (bend) {
        // The second level of a bend is kept in whole centimetres.
        f.extra = depth2        ? parseValue(*depth2, "--depth2")
                  : extraPoints ? parseInteger(*extraPoints, "--extra-points")
                                : 0;
    } else {
        if (depth2) throw UsageError("--depth2 is for a trapezoid or a bend");
        f.extra = extraPoints ? parseInteger(*extraPoints, "--extra-points") : 5;
    }
    const auto out = args.option("-o");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("add-construction needs exactly one project file");
    if (kind->second == TZDopKind::Arc && f.depth == 0 && f.arcLength == 0)
        throw UsageError("an arc needs --depth or --arc-length");

    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    // The names are checked against the outline the user sees, then stored as the dialog does.
    if (v1 && !cornerCut) f.name1 = vertexName(workingPointIndex(doc, *v1, "--v1"));
    f.name2 = vertexName(workingPointIndex(doc, *v2, "--v2"));
    if (!cornerCut && f.name1 == f.name2) throw UsageError("--v1 and --v2 name the same point");

    if (const auto refusal = constructionFieldsRefusal(f)) throw Failure(utf8(*refusal));
    TZDop dop;
    selectKind(dop, f.kind);
    if (addConstruction(doc, recordFromFields(f, dop)) < 0) throw Failure("Недостаточно памяти");
    context.saveIfRequested(out);
    printJson(projectJson(context.app()));
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
