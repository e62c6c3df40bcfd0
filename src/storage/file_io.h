#pragma once
// Whole-file reading and safe whole-file writing for the program's data files.

#include <cstdint>
#include <filesystem>
#include <string>

enum class ReadStatus { Ok, CannotOpen, Empty, TooLarge, ShortRead };

// Reads the whole file into `bytes`. A file larger than maxBytes is not read (TooLarge).
ReadStatus readWholeFile(const std::filesystem::path& path, std::uintmax_t maxBytes, std::string& bytes);

// Writes the bytes to a temporary file in the same folder and then replaces the file with it, so
// that a failure half-way never destroys the previous file. Returns false when anything failed
// (the previous file is then untouched and the temporary file removed).
bool writeFileReplacing(const std::filesystem::path& path, std::string_view bytes);
