#include "cli/commands.h"
#include "cli/project_json.h"

namespace cli {

int runInfo(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("info needs exactly one project file");
    context.openProject(files[0]);
    printJson(projectJson(context.app()));
    return kExitOk;
}

}  // namespace cli
