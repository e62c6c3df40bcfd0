#pragma once
// The commands of tenzora-cli. Each lives in its own file and is listed once in commands.cpp.

#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace tenzora {

namespace cli {

struct Command {
    const char* name;
    const char* usage;   // one line: the arguments
    const char* summary; // one line: what it does
    const char* help;    // the full description for "COMMAND --help"
    int (*run)(Context& context, Arguments& args);
};

const std::vector<Command>& commands();

int runInfo(Context& context, Arguments& args);
int runForm(Context& context, Arguments& args);
int runMeasure(Context& context, Arguments& args);
int runNew(Context& context, Arguments& args);
int runAddConstruction(Context& context, Arguments& args);
int runAddCutout(Context& context, Arguments& args);
int runLayout(Context& context, Arguments& args);
int runCheck(Context& context, Arguments& args);
int runPrice(Context& context, Arguments& args);
int runOrderExport(Context& context, Arguments& args);
int runMaterialsCsv(Context& context, Arguments& args);
int runStock(Context& context, Arguments& args);
int runReceipt(Context& context, Arguments& args);
int runClients(Context& context, Arguments& args);
int runVars(Context& context, Arguments& args);
int runForms(Context& context, Arguments& args);
int runReportScript(Context& context, Arguments& args);
int runPictureScript(Context& context, Arguments& args);
int runExport(Context& context, Arguments& args);
int runPrint(Context& context, Arguments& args);
int runPrinters(Context& context, Arguments& args);
int runReport(Context& context, Arguments& args);
int runPriceList(Context& context, Arguments& args);

} // namespace cli

} // namespace tenzora
