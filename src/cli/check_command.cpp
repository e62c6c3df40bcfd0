// tenzora-cli check: which measurements disagree with the rest, and the lengths that would fit.

#include "cli/commands.h"
#include "model/ceiling.h"
#include "model/measurement_check.h"

namespace tenzora {

namespace cli {

int runCheck(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("check needs exactly one project file");
    context.openProject(files[0]);
    const MeasurementCheck check = checkMeasurements(context.doc());

    nlohmann::json suspects = nlohmann::json::array();
    for (const MeasurementSuspect& s : check.suspects)
        suspects.push_back({{"name", utf8(s.name)},
                            {"measured", s.measured},
                            {"fitted", s.fitted},
                            {"errorWithout", s.errorWithout}});
    nlohmann::json impossible = nlohmann::json::array();
    for (const ImpossibleTriangle& t : check.impossible)
        impossible.push_back({{"name", utf8(t.name)},
                              {"length", t.length},
                              {"sides", {utf8(t.sideNames[0]), utf8(t.sideNames[1])}},
                              {"sideLengths", {t.sideLengths[0], t.sideLengths[1]}},
                              {"triangle", utf8(t.triangle)}});
    nlohmann::json messages = nlohmann::json::array();
    for (const std::wstring& line : measurementCheckLines(check))
        messages.push_back(utf8(line));
    printJson({{"redundant", check.redundant},
               {"error", check.error},
               {"suspects", suspects},
               {"impossible", impossible},
               {"messages", messages}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
