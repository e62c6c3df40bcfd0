#include "storage/file_io.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>


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

}  // namespace

bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path tmp = temporaryBeside(path);
    std::error_code ec;
    bool ok = false;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
            ok = static_cast<bool>(out);
            out.close();
            ok = ok && !out.fail();
        }
    }
    if (ok) {
        // Keep the permissions of the file being replaced.
        const auto perms = std::filesystem::status(path, ec).permissions();
        if (!ec && perms != std::filesystem::perms::unknown) std::filesystem::permissions(tmp, perms, ec);
        ec.clear();
        std::filesystem::rename(tmp, path, ec);
        ok = !ec;
    }
    if (!ok) std::filesystem::remove(tmp, ec);
    return ok;
}
