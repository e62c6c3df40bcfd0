#pragma once
// Whole-file reading and safe whole-file writing for the program's data files.

#include <cstdint>
#include <filesystem>
#include <string>

namespace tenzora {

enum class ReadStatus { Ok, CannotOpen, Empty, TooLarge, ShortRead };

// Reads the whole file into `bytes`. A file larger than maxBytes is not read (TooLarge).
ReadStatus readWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& bytes);

// Writes the bytes to a temporary file in the same folder, flushes it to the disk, renames it over
// the file and flushes the folder, so that neither a failure half-way nor a power cut can leave a
// mix of old and new bytes or an empty file: after a crash the file holds either the old bytes or
// all the new ones. Returns false when anything failed (the previous file is then untouched and the
// temporary file removed). Every writer of the program's files and exports goes through here.
bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes);

// For writers that must produce the file themselves (a library writing to a file name): `written`
// is their complete output beside `path`; it is flushed to the disk, renamed over `path` and the
// folder flushed, as writeFileReplacing() does. On failure `written` is removed and false returned.
bool replaceWithWritten(const std::filesystem::path& written, const std::filesystem::path& path);

// Flushes a folder's entries (a rename or a new file in it) to the disk. False when it cannot be
// opened or flushed.
bool syncFolder(const std::filesystem::path& folder);

} // namespace tenzora
