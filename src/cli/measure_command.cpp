// tenzora-cli measure: lengths entered as the side panel's "Установить" enters them.

#include "cli/commands.h"
#include "cli/project_json.h"
#include "editor/length_entry.h"
#include "model/names.h"
#include "model/typed_value.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

int runMeasure(Context& context, Arguments& args) {
    const auto out = args.option("-o");
    const auto items = args.positional();
    if (items.size() < 2) throw UsageError("measure needs a project file and at least one NAME=LENGTH");

    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const auto equals = items[i].find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == items[i].size())
            throw UsageError("\"" + items[i] + "\" is not NAME=LENGTH");
        const std::wstring name = applyNameKeys(codepage::fromUtf8(items[i].substr(0, equals)));
        if (!parsePairName(name))
            throw UsageError("\"" + items[i].substr(0, equals) + "\" is not a side or diagonal name");
        entries.emplace_back(name, codepage::fromUtf8(items[i].substr(equals + 1)));
    }

    // Every length is checked before the first is entered, so that a refused one leaves the
    // project as it was (nothing is entered, nothing saved).
    for (const auto& [name, length] : entries) {
        const TypedValue typed =
            readTypedValue(length, valueRange::kRoomLength, kLengthFieldName, DecimalComma::Accepted, true);
        if (typed.refused()) throw Failure(utf8(name + L": " + typed.refusal));
    }

    context.openProject(items[0]);
    TZCeiling& doc = context.doc();
    const std::size_t firstMessage = context.ui().messages.size();
    for (const auto& [name, length] : entries) {
        const auto pair = parsePairName(name);
        if (pair->first >= doc.polygon.count() || pair->second >= doc.polygon.count())
            throw Failure(utf8(name) + " names no side or diagonal of this outline");
        enterLength(doc, name, length);
    }
    context.saveIfRequested(out);
    nlohmann::json warnings = nlohmann::json::array();
    for (std::size_t i = firstMessage; i < context.ui().messages.size(); ++i)
        warnings.push_back(utf8(context.ui().messages[i]));
    nlohmann::json json = projectJson(context.app());
    json["warnings"] = warnings;
    printJson(json);
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
