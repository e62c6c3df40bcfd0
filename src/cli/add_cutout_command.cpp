// add-cutout: the cutout dialog's OK for a new record, headless.

#include <map>

#include "cli/commands.h"
#include "cli/outline_names.h"
#include "cli/project_json.h"
#include "cutting/construction_operations.h"
#include "model/ceiling.h"
#include "model/cutout_form.h"
#include "model/names.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

const std::map<std::string, TZHoleType> kTypes = {{"rectangle", TZHoleType::Rectangle},
                                                  {"circle", TZHoleType::Circle},
                                                  {"free", TZHoleType::Free},
                                                  {"ellipse", TZHoleType::Ellipse}};

// "A:150,B:210": vertex 1 and its distance, vertex 2 and its distance.
TZHoleDiagonal parseRow(TZCeiling& doc, const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError("--row \"" + text + "\": write it as NAME:DISTANCE,NAME:DISTANCE");
    auto half = [&](const std::string& part, int& vertex, double& distance) {
        const auto colon = part.find(':');
        if (colon == std::string::npos)
            throw UsageError("--row \"" + text + "\": \"" + part + "\" has no :DISTANCE");
        vertex = workingPointIndex(doc, part.substr(0, colon), "--row");
        distance = parseValue(part.substr(colon + 1), "--row");
    };
    TZHoleDiagonal row;
    half(text.substr(0, comma), row.vertex1, row.distance1);
    half(text.substr(comma + 1), row.vertex2, row.distance2);
    if (row.vertex1 == row.vertex2) throw UsageError("--row \"" + text + "\" names one point twice");
    return row;
}

} // namespace

int runAddCutout(Context& context, Arguments& args) {
    const auto typeText = args.option("--type");
    if (!typeText) throw UsageError("--type is required (rectangle, circle, ellipse or free)");
    const auto type = kTypes.find(*typeText);
    if (type == kTypes.end()) throw UsageError("--type: unknown type \"" + *typeText + "\"");
    CutoutFields f;
    f.type = static_cast<std::int32_t>(type->second);
    const auto modes = cutoutModes(f.type);
    const auto modeText = args.option("--mode");
    if (modeText) {
        f.mode = parseInteger(*modeText, "--mode");
        bool allowed = false;
        for (const CutoutMode& m : modes)
            allowed = allowed || m.mode == f.mode;
        if (!allowed)
            throw UsageError("--mode " + *modeText + " is not a mode of a " + *typeText + " cutout");
    } else if (!modes.empty()) {
        f.mode = modes.front().mode;
    }
    const bool needsSize = cutoutUsesSize(f.type, f.mode);
    const auto size = args.option("--size");
    if (needsSize && !size) throw UsageError("--size is required for this cutout");
    if (size) f.size1 = parseValue(*size, "--size");
    const bool round = f.type == static_cast<std::int32_t>(TZHoleType::Circle) ||
                       f.type == static_cast<std::int32_t>(TZHoleType::Ellipse);
    const bool ellipse = f.type == static_cast<std::int32_t>(TZHoleType::Ellipse);
    const auto size2 = args.option("--size2");
    const auto parallel = args.option("--parallel");
    f.turned = args.flag("--turned");
    if (ellipse && !size2) throw UsageError("an ellipse needs --size2 (its second diameter)");
    if (!ellipse && (size2 || parallel || f.turned))
        throw UsageError("--size2, --parallel and --turned are for an ellipse");
    if (size2) f.size2 = parseValue(*size2, "--size2");
    const auto points = args.option("--points");
    const auto from = args.option("--from");
    const auto to = args.option("--to");
    if (!round && (points || from || to))
        throw UsageError("--points, --from and --to are for a circle or an ellipse");
    if (points && *points != "auto") f.pointCount = parseInteger(*points, "--points");
    if (f.pointCount < 0 || f.pointCount > 1000) throw UsageError("--points: from 0 (automatic) to 1000");
    if (from) f.angleFrom = parseInteger(*from, "--from");
    if (to) f.angleTo = parseInteger(*to, "--to");
    const auto rowTexts = args.options("--row");
    const auto out = args.option("-o");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("add-cutout needs exactly one project file");
    const int wanted = cutoutRowCount(f.type, f.mode);
    if (wanted > 0 && static_cast<int>(rowTexts.size()) != wanted)
        throw UsageError("this cutout takes " + std::to_string(wanted) + " --row");
    if (rowTexts.empty()) throw UsageError("a cutout needs at least one --row");

    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    for (const std::string& text : rowTexts)
        f.rows.push_back(parseRow(doc, text));
    if (parallel) {
        const auto pair = parsePairName(applyNameKeys(codepage::fromUtf8(*parallel)));
        if (!pair) throw UsageError("--parallel \"" + *parallel + "\" is not a side name");
        measuredVertexIndex(doc, utf8(vertexName(pair->first)), "--parallel");
        measuredVertexIndex(doc, utf8(vertexName(pair->second)), "--parallel");
        if (pair->first == pair->second) throw UsageError("--parallel names one point twice");
        f.parallelSide = codepage::fromUtf8(*parallel);
    }
    if (const auto refusal = cutoutFieldsRefusal(f)) throw Failure(utf8(*refusal));
    if (addCutout(doc, recordFromCutoutFields(f)) < 0) throw Failure("Недостаточно памяти");
    context.saveIfRequested(out);
    printJson(projectJson(context.app()));
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
