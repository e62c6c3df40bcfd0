#include "cli/commands.h"

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"info", "FILE.tz", "open a project as the window's Open does and print it",
         "Opens the project as the window's Open command does (nothing is recomputed) and prints\n"
         "the project JSON.",
         runInfo},
    };
    return table;
}

}  // namespace cli
