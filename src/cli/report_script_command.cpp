// report-script: the script that fills a Word or Excel template with the project's values.

#include "cli/commands.h"
#include "output/report_script.h"
#include "output/variable_text.h"
#include "storage/codepage.h"

namespace cli {

int runReportScript(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 2) throw UsageError("report-script needs a project file and the script to write");
    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    const AppSettings& settings = context.app().settings();
    const std::string script = buildReportScript([&](int id) { return reportValue(doc, settings, id); });
    if (!writeScriptFile(codepage::toPath(codepage::fromUtf8(files[1])), script))
        throw Failure("Не удалось записать файл " + files[1]);
    return kExitOk;
}

} // namespace cli
