// vars: the text of every variable of the printed sheet for a project.

#include "cli/commands.h"
#include "model/print_form.h"
#include "output/report_fields.h"
#include "output/variable_text.h"

namespace tenzora {

namespace cli {

int runVars(Context& context, Arguments& args) {
    const bool english = args.flag("--english");
    const auto wrap = args.option("--wrap");
    const auto maxLines = args.option("--max-lines");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("vars needs exactly one project file");
    TZPrintFormElem element;
    element.type = static_cast<int>(PrintElemType::PrintVar);
    if (wrap) element.wrapWidth = parseInteger(*wrap, "--wrap");
    if (maxLines) element.maxLines = parseInteger(*maxLines, "--max-lines");

    context.openProject(files[0]);
    TZPrintForm form;
    form.english = english;
    // One continuation for all the variables, as one drawing of the sheet collects it.
    std::wstring continuation;
    nlohmann::json vars = nlohmann::json::object();
    for (const ReportField& f : reportFields()) {
        element.variable = f.id;
        element.text.assign(f.keyword.begin(), f.keyword.end());
        vars[std::string(f.keyword)] =
            utf8(variableText(context.doc(), context.app().settings(), form, element, f.id, continuation));
    }
    printJson({{"vars", vars}, {"continuation", utf8(continuation)}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
