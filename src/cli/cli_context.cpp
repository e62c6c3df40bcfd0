#include "cli/cli_context.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "business/project_file.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

MessageAnswer CliUiServices::message(const MessageRequest& request) {
    messages.push_back(request.text);
    if (echo) {
        std::wstring line = request.text;
        for (wchar_t& c : line)
            if (c == L'\n' || c == L'\r') c = L' ';
        std::cerr << codepage::toUtf8(line) << std::endl;
    }
    return request.defaultAnswer;
}

std::optional<std::string> Arguments::option(const std::string& name) {
    const std::string prefix = name + "=";
    for (auto it = tokens_.begin(); it != tokens_.end(); ++it) {
        if (*it == name) {
            if (it + 1 == tokens_.end()) throw UsageError("option " + name + " needs a value");
            std::string value = *(it + 1);
            tokens_.erase(it, it + 2);
            return value;
        }
        if (it->rfind(prefix, 0) == 0) {
            std::string value = it->substr(prefix.size());
            tokens_.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Arguments::options(const std::string& name) {
    std::vector<std::string> values;
    while (auto v = option(name))
        values.push_back(*v);
    return values;
}

bool Arguments::flag(const std::string& name) {
    for (auto it = tokens_.begin(); it != tokens_.end(); ++it) {
        if (*it == name) {
            tokens_.erase(it);
            return true;
        }
    }
    return false;
}

std::vector<std::string> Arguments::positional() {
    for (const std::string& t : tokens_)
        if (t.size() > 2 && t.rfind("--", 0) == 0) throw UsageError("unknown option " + t);
    return tokens_;
}

Context::Context(GlobalOptions options, std::string executable) : options_(std::move(options)) {
    if (options_.settingsFile)
        settings_ = std::make_unique<QtSettingsStore>(QString::fromStdString(*options_.settingsFile));
    else
        settings_ = std::make_unique<QtSettingsStore>();
    launcher_ = std::make_unique<QtLauncher>();
    images_ = std::make_unique<QtImageCodec>();
    std::optional<std::filesystem::path> home;
    if (options_.home) home = codepage::toPath(codepage::fromUtf8(*options_.home));
    const auto programDir = resolveProgramDirectory(home, codepage::toPath(codepage::fromUtf8(executable)),
                                                    ProgramEnvironment::fromProcess(), *settings_);
    app_ =
        std::make_unique<CTenzoraApp>(AppServices{ui_, *settings_, *launcher_, clock_, *images_}, programDir);
    app_->readSettings();

    AppSettings& s = app_->settings();
    if (options_.materialWithTension) s.materialWithTension = *options_.materialWithTension;
    if (options_.flipCutting) s.flipCutting = *options_.flipCutting;
    if (options_.dealerMode) s.dealerMode = true;
    if (!options_.folders.empty()) {
        for (std::wstring& f : s.drawingFolders)
            f.clear();
        int n = 0;
        for (const std::string& folder : options_.folders) {
            if (n == AppSettings::kFolderCount) break;
            s.drawingFolders[static_cast<std::size_t>(n++)] = codepage::fromUtf8(folder);
        }
    }
    if (options_.printTitle) s.printTitle = limitPrintTitle(codepage::fromUtf8(*options_.printTitle));
}

Context::~Context() = default;

ImageCodec& Context::images() {
    return *images_;
}

void Context::openProject(const std::string& path) {
    const std::size_t before = ui_.messages.size();
    if (!doc().openFile(codepage::fromUtf8(path))) {
        // The reader or the file operation has told why (and it went to standard error already).
        throw Failure(ui_.messages.size() > before ? "" : "Не удалось открыть файл " + path);
    }
}

void Context::saveIfRequested(const std::optional<std::string>& out) {
    if (!out) return;
    // saveProject tells the user (standard error here) why the file could not be written.
    if (!saveProject(doc(), codepage::fromUtf8(*out))) throw Failure("");
}

void printJson(const nlohmann::json& value) {
    // Texts reach here converted to UTF-8; should a byte that is not UTF-8 slip through all the
    // same, it is printed as the replacement mark rather than ending the program.
    std::cout << value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
}

std::string utf8(const std::wstring& text) {
    return codepage::toUtf8(text);
}

double parseNumber(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        throw UsageError(what + ": \"" + text + "\" is not a number");
    return v;
}

bool isNumberText(const std::string& text) {
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return !text.empty() && end != text.c_str() && *end == '\0';
}

double parseValue(const std::string& text, const std::string& what) {
    if (!isNumberText(text)) return parseNumber(text, what);
    return std::strtod(text.c_str(), nullptr);
}

int parseInteger(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || v < -2147483647L || v > 2147483647L)
        throw UsageError(what + ": \"" + text + "\" is not a whole number");
    return static_cast<int>(v);
}

} // namespace cli

} // namespace tenzora
