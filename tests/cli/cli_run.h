#pragma once
// Running tenzora-cli as the program it is, from the tests: every argument passed quoted, standard
// output and standard error captured apart, the exit status kept.

#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace tenzora {

namespace clitest {

struct CliRun {
    int status = -1;
    std::string out, err;
    nlohmann::json json() const { return nlohmann::json::parse(out); }
};

// One shell word, whatever the text holds.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs tenzora-cli with the program directory `home`, an empty settings file and the arguments
// (UTF-8); `environment` is put before the command (for example "TMPDIR=/x").
inline CliRun runCli(const std::vector<std::string>& args,
                     const std::filesystem::path& home = TENZORA_PROGRAM_DIR,
                     const std::string& environment = {}) {
    TempDir dir;
    std::string command = environment + " " + shellQuoted(TENZORA_CLI_PATH) + " --home " +
                          shellQuoted(home.string()) + " --settings " +
                          shellQuoted((dir / "settings.ini").string());
    for (const std::string& a : args)
        command += " " + shellQuoted(a);
    command += " >" + shellQuoted((dir / "out").string()) + " 2>" + shellQuoted((dir / "err").string());
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(dir / "out");
    run.err = slurp(dir / "err");
    return run;
}

} // namespace clitest

} // namespace tenzora
