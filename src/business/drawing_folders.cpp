#include "business/drawing_folders.h"

#include <algorithm>
#include <system_error>

#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

bool isSeparator(wchar_t c) {
    return c == L'/' || c == static_cast<wchar_t>(std::filesystem::path::preferred_separator);
}

bool hasProjectExtension(const std::filesystem::path& name) {
    const std::string ext = name.extension().string();
    return ext.size() == 3 && ext[0] == '.' && (ext[1] == 't' || ext[1] == 'T') &&
           (ext[2] == 'z' || ext[2] == 'Z');
}

} // namespace

std::wstring folderWithoutTrailingSeparator(const std::wstring& folder) {
    if (!folder.empty() && isSeparator(folder.back())) return folder.substr(0, folder.size() - 1);
    return folder;
}

std::wstring firstDrawingFolder(std::span<const std::wstring> folders) {
    for (const std::wstring& folder : folders)
        if (!folder.empty()) return folderWithoutTrailingSeparator(folder);
    return {};
}

std::vector<ProjectFileEntry> listProjectFiles(std::span<const std::wstring> folders) {
    std::vector<ProjectFileEntry> files;
    const std::wstring separator(1, static_cast<wchar_t>(std::filesystem::path::preferred_separator));
    for (const std::wstring& configured : folders) {
        if (configured.empty()) continue;
        const std::wstring folder = folderWithoutTrailingSeparator(configured);
        std::vector<std::filesystem::path> names;
        std::error_code ec;
        std::filesystem::directory_iterator it(codepage::toPath(folder.empty() ? separator : folder), ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError) || typeError) continue;
            const std::filesystem::path name = it->path().filename();
            if (hasProjectExtension(name)) names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const std::filesystem::path& name : names) {
            ProjectFileEntry entry;
            entry.path = folder + separator + codepage::fromPath(name);
            entry.fsPath = codepage::toPath(entry.path);
            files.push_back(std::move(entry));
        }
    }
    return files;
}

void readProjectFiles(const std::vector<ProjectFileEntry>& files, std::uintmax_t maxBytes,
                      const std::function<void(const ProjectFileEntry&, std::string_view)>& read,
                      const ScanProgress& progress) {
    std::string bytes;
    std::size_t done = 0;
    for (const ProjectFileEntry& file : files) {
        if (readWholeFile(file.fsPath, maxBytes, bytes) == ReadStatus::Ok) read(file, bytes);
        ++done;
        if (progress) progress(done, files.size());
    }
}

} // namespace tenzora
