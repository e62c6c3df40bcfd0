#pragma once
// Text encodings of the program's files: Windows-1251 for single-byte texts, UTF-16LE for wide
// texts, UTF-8 for paths and the headless program's output. In memory, texts are std::wstring.
//
// The Windows-1251 table is complete both ways: every byte decodes to a distinct character and
// encodes back to itself. Its one unassigned byte (0x98) is carried by a private-use character.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tenzora {

namespace codepage {

// The private-use character that stands for the unassigned byte 0x98 of Windows-1251.
inline constexpr wchar_t kUnassigned1251 = 0xE098;
// What a character without a Windows-1251 byte becomes when encoded.
inline constexpr char kReplacement1251 = '?';

wchar_t decode1251(unsigned char byte);
// The byte of a character, or -1 when Windows-1251 has none.
int encode1251(wchar_t ch);

std::wstring fromCp1251(std::string_view bytes);
std::string toCp1251(std::wstring_view text);

// UTF-16LE code units (as bytes, without terminator) to wide text and back. Unpaired surrogates
// are kept as they are so that any unit sequence survives a round trip.
std::wstring fromUtf16Le(std::string_view bytes);
std::string toUtf16Le(std::wstring_view text);

// UTF-8, used for paths and for JSON output. Malformed bytes decode to U+FFFD.
std::wstring fromUtf8(std::string_view bytes);
std::string toUtf8(std::wstring_view text);

// A path from wide text and back (paths are UTF-8 on this platform).
std::filesystem::path toPath(std::wstring_view text);
std::wstring fromPath(const std::filesystem::path& path);

} // namespace codepage

} // namespace tenzora
