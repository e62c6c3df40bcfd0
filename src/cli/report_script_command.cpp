// report-script: the script that fills a Word or Excel template with the project's values.

#include "cli/commands.h"
#include "output/project_report.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

int runReportScript(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 2) throw UsageError("report-script needs a project file and the script to write");
    context.openProject(files[0]);
    if (!writeReportScript(context.doc(), context.app().settings(),
                           codepage::toPath(codepage::fromUtf8(files[1]))))
        throw Failure("Не удалось записать файл " + files[1]);
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
