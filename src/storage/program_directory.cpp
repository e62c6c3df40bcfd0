#include "storage/program_directory.h"

#include <system_error>

#include "storage/codepage.h"

namespace tenzora {

std::filesystem::path ProgramDirectory::file(std::wstring_view name, ProgramFileUse use) const {
    const std::filesystem::path relative = codepage::toPath(std::wstring(name));
    std::filesystem::path mine = own / relative;
    if (use == ProgramFileUse::Write || !isSplit()) return mine;
    std::error_code ec;
    if (std::filesystem::exists(mine, ec)) return mine;
    return shipped / relative;
}

std::vector<std::filesystem::path> ProgramDirectory::searchFolders(const std::filesystem::path& below) const {
    std::vector<std::filesystem::path> folders{below.empty() ? own : own / below};
    if (isSplit()) folders.push_back(below.empty() ? shipped : shipped / below);
    return folders;
}

bool seedProgramDirectory(const ProgramDirectory& dir, bool createOwn, std::wstring& problem) {
    std::error_code ec;
    if (createOwn) std::filesystem::create_directories(dir.own, ec);
    if (ec || !std::filesystem::is_directory(dir.own, ec)) {
        problem = L"Не удалось создать папку программы " + codepage::fromPath(dir.own);
        return false;
    }
    if (!dir.isSplit()) return true;
    for (const wchar_t* name : kSeededProgramFiles) {
        const std::filesystem::path from = dir.shipped / codepage::toPath(name);
        const std::filesystem::path to = dir.own / codepage::toPath(name);
        if (std::filesystem::exists(to, ec) || !std::filesystem::is_regular_file(from, ec)) continue;
        // skip_existing: a copy made meanwhile by another seat sharing the folder stays as it is.
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::skip_existing, ec);
        if (ec) {
            problem = L"Не удалось скопировать " + codepage::fromPath(from) + L" в папку " +
                      codepage::fromPath(dir.own);
            return false;
        }
        // The installed file is read-only; the user's copy must be writable.
        std::filesystem::permissions(to,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    }
    return true;
}

} // namespace tenzora
