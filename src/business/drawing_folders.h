#pragma once
// The project files of the drawing folders, as the stock scan and the client list read them:
// every file ending in ".tz" directly inside each configured folder (not in subfolders), read
// whole. A folder that does not exist or cannot be listed contributes nothing.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tenzora {

// Told after each file of a scan: files done so far and the number of files found. A scan lists
// every folder first, so `total` is known from the first call on.
using ScanProgress = std::function<void(std::size_t done, std::size_t total)>;

struct ProjectFileEntry {
    std::wstring path; // folder (one trailing separator removed) + separator + file name
    std::filesystem::path fsPath;
};

// A configured folder as the scans use it: one trailing separator removed.
std::wstring folderWithoutTrailingSeparator(const std::wstring& folder);

// The first non-empty folder of the list, without its trailing separator; empty when none is set.
std::wstring firstDrawingFolder(std::span<const std::wstring> folders);

// Every ".tz" file (extension compared without regard to case, as the folder search of the
// program's original platform does) in the non-empty folders, folder by folder in list order.
// Within a folder the files come sorted by name, so that repeated scans list them alike.
std::vector<ProjectFileEntry> listProjectFiles(std::span<const std::wstring> folders);

// Reads every listed file whole (1 … maxBytes bytes, read completely; others are skipped) and
// hands its bytes to `read`, reusing one buffer. Reports progress after each file.
void readProjectFiles(const std::vector<ProjectFileEntry>& files, std::uintmax_t maxBytes,
                      const std::function<void(const ProjectFileEntry&, std::string_view)>& read,
                      const ScanProgress& progress);

} // namespace tenzora
