#include "cli/commands.h"

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"info", "FILE.tz", "open a project as the window's Open does and print it",
         "Opens the project as the window's Open command does (nothing is recomputed) and prints\n"
         "the project JSON.",
         runInfo},
        {"form", "FILE.tz [--method 0|1|2] [-o OUT]", "form the outline from the measurements (Поиск решения)",
         "Forms the outline as the window's \"Поиск решения\" (Ctrl+Enter) does, by the construction\n"
         "method 0 \"Двойной метод\" (default), 1 \"Треугольники\" or 2 \"Диф. уравнение\", and prints the\n"
         "project JSON with \"formResult\" and the \"statusText\" the side panel showed.",
         runForm},
        {"measure", "FILE.tz NAME=LENGTH ... [-o OUT]", "enter side and diagonal lengths as the side panel does",
         "For each NAME=LENGTH (NAME like AB, AC or A1-B2; LENGTH in cm, a comma or a point), selects the\n"
         "side or diagonal (created when missing) and sets the length as the side panel's \"Установить\"\n"
         "does, forming the outline after each entry. Prints the project JSON with \"warnings\".",
         runMeasure},
        {"new", "SHAPE ARGS -o OUT.tz", "a new project from the shape wizard or a corner count",
         "SHAPE ARGS is one of: corners LASTNAME (regular polygon, unmeasured sides), square S,\n"
         "rectangle X Y, corner-cut X Y W H, circle D N, ellipse X Y N (sizes in cm, N points).\n"
         "Saves the project to OUT.tz and prints the project JSON.",
         runNew},
    };
    return table;
}

}  // namespace cli
