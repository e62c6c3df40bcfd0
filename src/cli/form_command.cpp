// tenzora-cli form: the "Поиск решения" command on a project file.

#include "cli/commands.h"
#include "cli/project_json.h"
#include "model/forming_commands.h"

namespace tenzora {

namespace cli {

int runForm(Context& context, Arguments& args) {
    const auto method = args.option("--method");
    const auto out = args.option("-o");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("form needs exactly one project file");
    int constructionMethod = 0;
    if (method) {
        constructionMethod = parseInteger(*method, "--method");
        if (constructionMethod < 0 || constructionMethod > 2) throw UsageError("--method takes 0, 1 or 2");
    }
    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    doc.constructionMethod = constructionMethod;
    const FormCommandResult result = formProjectCommand(doc);
    context.saveIfRequested(out);
    nlohmann::json json = projectJson(context.app());
    json["formResult"] = result.formed;
    json["statusText"] = utf8(result.statusText);
    printJson(json);
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
