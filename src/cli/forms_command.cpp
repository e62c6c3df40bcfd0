// forms: the print forms of the program directory, as the print menu lists them.

#include "cli/commands.h"
#include "model/ceiling.h"
#include "output/print_form_file.h"

namespace tenzora {

namespace cli {

int runForms(Context& context, Arguments& args) {
    if (!args.positional().empty()) throw UsageError("forms takes no arguments");
    TZCeiling& doc = context.doc();
    reloadPrintForms(doc, context.app().settings().dealerMode);
    nlohmann::json forms = nlohmann::json::array();
    for (int i = 0; i < doc.resources.printForms.count(); ++i) {
        const TZPrintForm& form = doc.resources.printForms.at(i);
        forms.push_back({{"index", i}, {"name", utf8(form.name)}, {"file", utf8(form.file)}});
    }
    printJson({{"forms", forms}});
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
