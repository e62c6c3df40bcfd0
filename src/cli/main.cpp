// tenzora-cli: the headless front end. Parses the global options (before or after the command),
// builds the application object without a window and runs one command.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "cli/commands.h"
#include "platform/qt/headless_app.h"

namespace tenzora {

namespace {

using namespace cli;

#ifndef TENZORA_BUILD_ID
#define TENZORA_BUILD_ID "local"
#endif

const char kGlobalHelp[] =
    "Global options (before or after the command):\n"
    "  --home DIR                      the program directory (materials.mat, price.dat, print forms,\n"
    "                                  logos, templates); default $TENZORA_HOME, else the executable's "
    "folder;\n"
    "                                  installed: ~/.local/share/tenzora (or the setting program_folder)\n"
    "                                  over the installed files of PREFIX/share/tenzora\n"
    "  --settings FILE                 an INI file used instead of the per-user settings ([Params])\n"
    "  --material-with-tension yes|no  override the setting for this run\n"
    "  --flip-cutting yes|no           override the setting for this run\n"
    "  --dealer-mode                   run in dealer mode\n"
    "  --folder DIR                    a drawing folder (repeatable; replaces the configured ones)\n"
    "  --print-title TEXT              the firm's name on the printed sheet\n"
    "  --help, --version\n";

void printUsage(std::ostream& out) {
    out << "Usage: tenzora-cli COMMAND [OPTIONS] ARGS\n\nCommands:\n";
    for (const Command& c : commands()) {
        std::string line = std::string("  ") + c.name + " " + c.usage;
        if (line.size() < 40) line.resize(40, ' ');
        out << line << " " << c.summary << "\n";
    }
    out << "\n" << kGlobalHelp << "\nExit status: 0 success, 1 the operation failed, 2 bad usage.\n";
}

bool parseYesNo(const std::string& value, const std::string& option) {
    if (value == "yes") return true;
    if (value == "no") return false;
    throw UsageError(option + " takes yes or no, not \"" + value + "\"");
}

// Takes the global options out of the command line wherever they stand.
GlobalOptions takeGlobalOptions(std::vector<std::string>& tokens) {
    GlobalOptions options;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= tokens.size()) throw UsageError("option " + t + " needs a value");
            return tokens[++i];
        };
        if (t == "--home")
            options.home = value();
        else if (t == "--settings")
            options.settingsFile = value();
        else if (t == "--material-with-tension")
            options.materialWithTension = parseYesNo(value(), t);
        else if (t == "--flip-cutting")
            options.flipCutting = parseYesNo(value(), t);
        else if (t == "--dealer-mode")
            options.dealerMode = true;
        else if (t == "--folder")
            options.folders.push_back(value());
        else if (t == "--print-title")
            options.printTitle = value();
        else
            rest.push_back(t);
    }
    tokens = std::move(rest);
    return options;
}

int run(int argc, char* argv[]) {
    std::vector<std::string> tokens(argv + 1, argv + argc);
    GlobalOptions options;
    try {
        options = takeGlobalOptions(tokens);
    } catch (const UsageError& e) {
        std::cerr << "tenzora-cli: " << e.what() << "\n";
        return kExitUsage;
    }
    if (tokens.empty()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (tokens[0] == "--version") {
        std::cout << TENZORA_VERSION_TEXT << " (build " << TENZORA_BUILD_ID << ")\n";
        return kExitOk;
    }
    if (tokens[0] == "--help" || tokens[0] == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    const Command* command = nullptr;
    for (const Command& c : commands())
        if (tokens[0] == c.name) command = &c;
    if (command == nullptr) {
        std::cerr << "tenzora-cli: unknown command \"" << tokens[0] << "\" (see tenzora-cli --help)\n";
        return kExitUsage;
    }
    tokens.erase(tokens.begin());
    if (std::find(tokens.begin(), tokens.end(), "--help") != tokens.end()) {
        std::cout << "Usage: tenzora-cli " << command->name << " " << command->usage << "\n\n"
                  << command->help << "\n";
        return kExitOk;
    }
    try {
        Context context(options, applicationFilePathUtf8());
        Arguments args(command->name, tokens);
        return command->run(context, args);
    } catch (const UsageError& e) {
        std::cerr << "tenzora-cli " << command->name << ": " << e.what() << "\nUsage: tenzora-cli "
                  << command->name << " " << command->usage << "\n";
        return kExitUsage;
    } catch (const Failure& e) {
        // The program's own message has already been printed when there was one.
        if (std::strlen(e.what()) > 0) std::cerr << e.what() << "\n";
        return kExitFailed;
    }
}

} // namespace

} // namespace tenzora

using namespace tenzora;

int main(int argc, char* argv[]) {
    return runHeadless(argc, argv, run);
}
