#pragma once
// Where the program keeps the files it used to keep beside its executable: the materials base,
// the price file, the print forms, the logos and the templates folder.
//
// Run from a build folder or with --home, that is one folder, read and written alike. An
// installed program has two: the files installed with it (read-only, for example
// /usr/share/tenzora) and the folder it writes to (the user's own, or one the firm shares
// between seats). A file is read from the writable folder when it has a copy of its own there
// and from the installed files otherwise; it is always written to the writable folder.

#include <concepts>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tenzora {

enum class ProgramFileUse { Read, Write };

struct ProgramDirectory {
    std::filesystem::path own;     // written to: materials.mat, price.dat, added forms and templates
    std::filesystem::path shipped; // installed with the program; the same folder as `own` when not installed

    ProgramDirectory() = default;
    // One folder for everything (a build folder, --home, $TENZORA_HOME), from anything a path is
    // made of (a path, a string, a literal).
    template <class Folder>
    requires std::constructible_from<std::filesystem::path, const Folder&>
    ProgramDirectory(const Folder& single) : own(single), shipped(single) {}
    ProgramDirectory(std::filesystem::path ownFolder, std::filesystem::path shippedFolder)
        : own(std::move(ownFolder)), shipped(std::move(shippedFolder)) {}

    bool isSplit() const { return own != shipped; }

    // The path of a file of the program directory: for writing always in `own`; for reading in
    // `own` when the file is there, else in `shipped`. Every reader and writer of the program's
    // own files goes through this one rule.
    std::filesystem::path file(std::wstring_view name, ProgramFileUse use) const;

    // The folders to search for files of a kind (print forms, templates): `own` first, then
    // `shipped` when it is another folder. `below` names a subfolder of both (empty: none).
    std::vector<std::filesystem::path> searchFolders(const std::filesystem::path& below = {}) const;
};

// The files every user works on and edits: copied from the installed files into the writable
// folder when it has none yet, so that the user's edits have a file of their own to go to.
inline constexpr const wchar_t* kSeededProgramFiles[] = {L"materials.mat", L"price.dat"};

// Creates `own` (with its parents) when `createOwn` is set and copies each seeded file that
// `shipped` has and `own` lacks. A copy already in `own` is never replaced. False, with the
// reason in `problem`, when the folder is missing or a file could not be copied.
bool seedProgramDirectory(const ProgramDirectory& dir, bool createOwn, std::wstring& problem);

} // namespace tenzora
