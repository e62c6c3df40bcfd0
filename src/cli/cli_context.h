#pragma once
// What every command of tenzora-cli works with: the parsed command line, the platform services
// of the headless program, the application object, and the rules of output and exit codes.

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/tenzora_app.h"
#include "platform/clock.h"
#include "platform/ui_services.h"

namespace tenzora {

class ImageCodec;
class Launcher;
class SettingsStore;

namespace cli {

enum ExitCode { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Bad usage: reported with the command's usage line, exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// A failed operation: the message (one line) goes to standard error, exit status 1. An empty
// message means the program's own message has been printed already.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Messages of the program go to standard error, one line each, and are kept for the commands
// that report them. Questions get their default answer; file dialogs are cancelled.
class CliUiServices : public SilentUiServices {
  public:
    MessageAnswer message(const MessageRequest& request) override;
    std::vector<std::wstring> messages;
    // Messages printed to standard error as they come (on by default).
    bool echo = true;
};

struct GlobalOptions {
    std::optional<std::string> home;
    std::optional<std::string> settingsFile;
    std::optional<bool> materialWithTension;
    std::optional<bool> flipCutting;
    bool dealerMode = false;
    std::vector<std::string> folders;
    std::optional<std::string> printTitle;
};

// The arguments of one command: positional ones in order, and options by name.
class Arguments {
  public:
    Arguments(std::string command, std::vector<std::string> tokens)
        : command_(std::move(command)), tokens_(std::move(tokens)) {}
    const std::string& command() const { return command_; }
    // Removes and returns the value of "--name VALUE" (or "--name=VALUE"); none when absent.
    std::optional<std::string> option(const std::string& name);
    // Every value of a repeatable option.
    std::vector<std::string> options(const std::string& name);
    // Removes a flag; true when it was present.
    bool flag(const std::string& name);
    // The remaining tokens; an unknown "--option" left over is a usage error.
    std::vector<std::string> positional();

  private:
    std::string command_;
    std::vector<std::string> tokens_;
};

class Context {
  public:
    Context(GlobalOptions options, std::string executable);
    ~Context();

    CTenzoraApp& app() { return *app_; }
    TZCeiling& doc() { return app_->document(); }
    CliUiServices& ui() { return ui_; }
    const GlobalOptions& options() const { return options_; }
    ImageCodec& images();

    // Opens a project as the window's Open does; a failure throws Failure with the message.
    void openProject(const std::string& path);
    // Saves the project when "-o OUT" was given (the input is never changed otherwise).
    void saveIfRequested(const std::optional<std::string>& out);

  private:
    GlobalOptions options_;
    CliUiServices ui_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<Launcher> launcher_;
    std::unique_ptr<ImageCodec> images_;
    SystemClock clock_;
    std::unique_ptr<CTenzoraApp> app_;
};

// Prints a JSON value on standard output (pretty, UTF-8).
void printJson(const nlohmann::json& value);
// Wide text to a JSON string (UTF-8).
std::string utf8(const std::wstring& text);
// A number typed on the command line; a usage error when it is not one.
double parseNumber(const std::string& text, const std::string& what);
// Whether the whole text is a number, huge, infinite or not-a-number ones included ("1e999",
// "inf", "nan"): a value to hand to the field it belongs to, which refuses it with its range.
bool isNumberText(const std::string& text);
// A number for a typed field: any number text (see isNumberText), a usage error otherwise. The
// field's own range check then refuses what it cannot use (exit status 1, with its message).
double parseValue(const std::string& text, const std::string& what);
int parseInteger(const std::string& text, const std::string& what);

} // namespace cli

} // namespace tenzora
