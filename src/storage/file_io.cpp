#include "storage/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

namespace tenzora {
#endif

ReadStatus readWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return ReadStatus::CannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadStatus::CannotOpen;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return ReadStatus::CannotOpen;
    if (size == 0) return ReadStatus::Empty;
    if (static_cast<std::uintmax_t>(size) > maxBytes) return ReadStatus::TooLarge;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), size);
    if (in.gcount() != size) {
        bytes.clear();
        return ReadStatus::ShortRead;
    }
    return ReadStatus::Ok;
}

namespace {

// A temporary name beside the target: same folder, so that the final rename cannot cross devices.
std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device rd;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
    std::filesystem::path tmp = path;
    tmp += suffix;
    return tmp;
}

} // namespace

namespace {

#ifdef _WIN32
// The same few calls under the names the Windows C runtime gives them; a folder there needs no flush.
using ssize_t = int;
constexpr int O_CLOEXEC = 0;
constexpr int O_DIRECTORY = 0;
int openFile(const std::filesystem::path& p, int flags, int mode = 0) {
    return ::_wopen(p.c_str(), flags | O_BINARY, mode);
}
ssize_t writeSome(int fd, const char* data, std::size_t n) {
    return ::_write(fd, data, static_cast<unsigned>(n));
}
int flushToDisk(int fd) {
    return ::_commit(fd);
}
int closeFile(int fd) {
    return ::_close(fd);
}
#else
int openFile(const std::filesystem::path& p, int flags, int mode = 0) {
    return ::open(p.c_str(), flags, mode);
}
ssize_t writeSome(int fd, const char* data, std::size_t n) {
    return ::write(fd, data, n);
}
int flushToDisk(int fd) {
    return ::fsync(fd);
}
int closeFile(int fd) {
    return ::close(fd);
}
#endif

// Writes all the bytes to the open descriptor, resuming after short writes and interrupts.
bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = writeSome(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

bool syncDescriptor(int fd) {
    while (flushToDisk(fd) != 0)
        if (errno != EINTR) return false;
    return true;
}

bool syncFile(const std::filesystem::path& path) {
    const int fd = openFile(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = syncDescriptor(fd);
    return closeFile(fd) == 0 && ok;
}

// The folder a rename happens in: "." for a bare file name.
std::filesystem::path folderOf(const std::filesystem::path& path) {
    std::filesystem::path folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Keeps the permissions of the file being replaced, then renames and flushes the folder.
bool renameOver(const std::filesystem::path& tmp, const std::filesystem::path& path) {
    std::error_code ec;
    const auto perms = std::filesystem::status(path, ec).permissions();
    if (!ec && perms != std::filesystem::perms::unknown) std::filesystem::permissions(tmp, perms, ec);
    ec.clear();
    std::filesystem::rename(tmp, path, ec);
    if (ec) return false;
    // The new bytes are already on the disk; a folder that cannot be flushed (some network file
    // systems refuse fsync on a folder) does not undo the rename, so it is not reported as failure.
    syncFolder(folderOf(path));
    return true;
}

} // namespace

bool syncFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
    return true;
#endif
    const int fd = openFile(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = syncDescriptor(fd);
    return closeFile(fd) == 0 && ok;
}

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path tmp = temporaryBeside(path);
    std::error_code ec;
    // O_EXCL: never write through a file or link someone else left under the temporary name.
    const int fd = openFile(tmp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && syncDescriptor(fd);
    ok = (closeFile(fd) == 0) && ok;
    ok = ok && renameOver(tmp, path);
    if (!ok) std::filesystem::remove(tmp, ec);
    return ok;
}

bool replaceWithWritten(const std::filesystem::path& written, const std::filesystem::path& path) {
    const bool ok = syncFile(written) && renameOver(written, path);
    std::error_code ec;
    if (!ok) std::filesystem::remove(written, ec);
    return ok;
}

} // namespace tenzora
