#include "storage/codepage.h"

#include <array>

namespace tenzora {

namespace codepage {
namespace {

// Characters of the bytes 0x80..0xBF; 0xC0..0xFF are the contiguous block U+0410..U+044F.
constexpr std::array<wchar_t, 64> kUpperHalf = {
    0x0402,          0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC,          0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452,          0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    kUnassigned1251, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0,          0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401,          0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0,          0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451,          0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

} // namespace

wchar_t decode1251(unsigned char byte) {
    if (byte < 0x80) return static_cast<wchar_t>(byte);
    if (byte >= 0xC0) return static_cast<wchar_t>(0x0410 + (byte - 0xC0));
    return kUpperHalf[byte - 0x80];
}

int encode1251(wchar_t ch) {
    if (ch >= 0 && ch < 0x80) return static_cast<int>(ch);
    if (ch >= 0x0410 && ch <= 0x044F) return 0xC0 + static_cast<int>(ch - 0x0410);
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i)
        if (kUpperHalf[i] == ch) return 0x80 + static_cast<int>(i);
    return -1;
}

std::wstring fromCp1251(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.push_back(decode1251(static_cast<unsigned char>(c)));
    return out;
}

std::string toCp1251(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        const int b = encode1251(ch);
        out.push_back(b < 0 ? kReplacement1251 : static_cast<char>(static_cast<unsigned char>(b)));
    }
    return out;
}

std::wstring fromUtf16Le(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i])) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = unitAt(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00)));
                ++i;
                continue;
            }
        }
        out.push_back(static_cast<wchar_t>(u));
    }
    return out;
}

std::string toUtf16Le(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&](std::uint32_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>((unit >> 8) & 0xFF));
    };
    for (wchar_t ch : text) {
        const auto c = static_cast<std::uint32_t>(ch);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            const std::uint32_t v = c - 0x10000;
            put(0xD800 + (v >> 10));
            put(0xDC00 + (v & 0x3FF));
        } else {
            put(c & 0xFFFF);
        }
    }
    return out;
}

std::wstring fromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        std::uint32_t cp = 0;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2;
            cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3;
            cp = b0 & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(extra) >= bytes.size()) { // sequence cut off at the end
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (b & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string toUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        auto c = static_cast<std::uint32_t>(ch);
        // Beyond Unicode, or half of a UTF-16 pair (a damaged file can carry one): no UTF-8
        // writes it, and a JSON writer refuses the bytes, so it becomes the replacement mark.
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::filesystem::path toPath(std::wstring_view text) {
    const std::string utf8 = toUtf8(text);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::wstring fromPath(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return fromUtf8(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
}

} // namespace codepage

} // namespace tenzora
