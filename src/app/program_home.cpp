#include "app/program_home.h"

#include <cstdlib>
#include <system_error>

#include "model/settings.h"
#include "platform/settings_store.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

std::optional<std::string> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

bool isDirectory(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool hasProjectExtension(const std::filesystem::path& name) {
    std::string ext = name.extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return ext == ".tz";
}

} // namespace

ProgramEnvironment ProgramEnvironment::fromProcess() {
    return {variable("TENZORA_HOME"), variable("HOME"), variable("XDG_DATA_HOME")};
}

std::optional<std::filesystem::path> installedDataFolder(const std::filesystem::path& executable) {
    const std::filesystem::path bin = executable.parent_path();
    if (bin.filename() != "bin") return std::nullopt;
    const std::filesystem::path data = bin.parent_path() / "share" / "tenzora";
    if (!isDirectory(data)) return std::nullopt;
    return data;
}

ProgramDirectoryChoice resolveProgramDirectory(const std::optional<std::filesystem::path>& home,
                                               const std::filesystem::path& executable,
                                               const ProgramEnvironment& env, SettingsStore& store) {
    ProgramDirectoryChoice choice;
    if (home && !home->empty()) {
        choice.dir = ProgramDirectory(*home);
        return choice;
    }
    if (env.tenzoraHome) {
        choice.dir = ProgramDirectory(std::filesystem::path(*env.tenzoraHome));
        return choice;
    }
    const auto shipped = installedDataFolder(executable);
    if (!shipped) {
        choice.dir = ProgramDirectory(executable.parent_path());
        return choice;
    }

    const std::wstring shared = store.read(kSettingsSection, kSharedProgramFolderSetting).value_or(L"");
    if (!shared.empty()) {
        const std::filesystem::path folder = codepage::toPath(shared);
        if (folder.is_absolute() && isDirectory(folder)) {
            choice.dir = ProgramDirectory(folder, *shipped);
            return choice;
        }
        // Without the firm's folder the firm's prices are not at hand: the installed files are
        // read, and nothing is written anywhere that could be taken for the firm's files.
        choice.dir = ProgramDirectory(*shipped);
        choice.problem = L"Общая папка программы " + shared +
                         L" недоступна. Материалы и цены взяты из файлов, установленных с программой, и не "
                         L"будут сохранены.";
        return choice;
    }

    // The user's data folder as the XDG base directory rules give it: $XDG_DATA_HOME when it is
    // an absolute path (a relative one is to be ignored), else ~/.local/share.
    std::filesystem::path dataHome;
    if (env.xdgDataHome && std::filesystem::path(*env.xdgDataHome).is_absolute())
        dataHome = *env.xdgDataHome;
    else if (env.home)
        dataHome = std::filesystem::path(*env.home) / ".local" / "share";
    if (dataHome.empty()) {
        choice.dir = ProgramDirectory(*shipped);
        choice.problem = L"Не найдена папка пользователя (HOME). Материалы и цены взяты из файлов, "
                         L"установленных с программой, и не будут сохранены.";
        return choice;
    }
    choice.dir = ProgramDirectory(dataHome / "tenzora", *shipped);
    choice.createOwn = true;
    return choice;
}

bool setUpFirstDrawingFolder(AppSettings& settings, SettingsStore& store,
                             const std::filesystem::path& documents, const ProgramDirectory& dir) {
    if (settings.folderCount() > 0 || documents.empty()) return false;
    const std::filesystem::path folder = documents / "Tenzora";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !isDirectory(folder)) return false;

    const std::wstring text = codepage::fromPath(folder);
    settings.drawingFolders[0] = text;
    store.write(kSettingsSection, L"path1", text);

    const std::filesystem::path examples = folder / codepage::toPath(kExamplesSubfolder);
    if (std::filesystem::exists(examples, ec)) return true;
    const std::filesystem::path source = dir.shipped / "examples";
    if (!isDirectory(source)) return true;
    std::filesystem::create_directory(examples, ec);
    for (std::filesystem::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError) || !hasProjectExtension(it->path().filename())) continue;
        const std::filesystem::path target = examples / it->path().filename();
        std::filesystem::copy_file(it->path(), target, std::filesystem::copy_options::skip_existing,
                                   fileError);
        std::filesystem::permissions(target,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, fileError);
    }
    return true;
}

} // namespace tenzora
