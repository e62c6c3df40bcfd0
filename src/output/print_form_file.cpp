#include "output/print_form_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "model/ceiling.h"
#include "output/report_fields.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

using printFormFile::kMaxFieldChars;
using printFormFile::kMaxFields;

struct Statement {
    const char* keyword;
    PrintElemType type;
    std::size_t minArguments;
    std::size_t maxArguments;
};

constexpr Statement kStatements[] = {
    {"UNKNOWN", PrintElemType::Unknown, 0, 0}, {"ENGLISH", PrintElemType::English, 0, 0},
    {"PRINT", PrintElemType::Print, 4, 4},     {"PRINTVAR", PrintElemType::PrintVar, 6, 8},
    {"LINE", PrintElemType::Line, 4, 4},       {"FIGURE", PrintElemType::Figure, 5, 6},
    {"PICTURE", PrintElemType::Picture, 5, 5},
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool keywordIs(std::string_view field, const char* keyword) {
    const std::string_view k(keyword);
    if (field.size() != k.size()) return false;
    for (std::size_t i = 0; i < k.size(); ++i) {
        char c = field[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (c != k[i]) return false;
    }
    return true;
}

// The leading decimal number of a field ("12.5", "+3", "7mm"); 0 when there is none.
double number(std::string_view field) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    double v = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), v);
    if (result.ec != std::errc() || !std::isfinite(v)) return 0;
    return v;
}

// The leading whole number of a field, clamped to the int range; 0 when there is none.
int integer(std::string_view field) {
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    long long v = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), v);
    if (result.ec == std::errc::result_out_of_range)
        return (!field.empty() && field.front() == '-') ? std::numeric_limits<int>::min()
                                                        : std::numeric_limits<int>::max();
    if (result.ec != std::errc()) return 0;
    return static_cast<int>(
        std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::wstring text(std::string_view field) {
    return codepage::fromCp1251(field);
}

// Lines end with CR, CR LF or (files written on this platform) LF.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// Fields separated by ";", trimmed and cut to their length. A ";" at the end adds no field.
// Returns false for a line with more fields than a statement may have.
bool splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t semicolon = line.find(';', start);
        const std::size_t end = semicolon == std::string_view::npos ? line.size() : semicolon;
        std::string_view field = trim(line.substr(start, end - start));
        if (field.size() > kMaxFieldChars) field = field.substr(0, kMaxFieldChars);
        fields.push_back(field);
        if (fields.size() > kMaxFields) return false;
        if (semicolon == std::string_view::npos || semicolon + 1 == line.size()) break;
        start = semicolon + 1;
    }
    return true;
}

} // namespace

bool parsePrintForm(TZPrintForm& form, std::string_view bytes, bool dealerMode) {
    // A file that starts with "!" holds UTF-8 text; it is read as its single-byte twin.
    std::string converted;
    if (!bytes.empty() && bytes.front() == '!') {
        converted = codepage::toCp1251(codepage::fromUtf8(bytes.substr(1)));
        bytes = converted;
    }
    form.clear();
    form.scale = 0;
    form.english = false;
    const std::vector<std::string_view> lines = splitLines(bytes);
    form.name = lines.empty() ? std::wstring() : text(lines.front());

    std::vector<std::string_view> fields;
    for (std::size_t l = 1; l < lines.size(); ++l) {
        if (lines[l].empty()) break; // the first empty line ends the form
        if (!splitFields(lines[l], fields)) continue;
        const Statement* statement = nullptr;
        for (const Statement& s : kStatements)
            if (keywordIs(fields[0], s.keyword)) statement = &s;
        if (statement == nullptr) continue;
        const std::size_t arguments = fields.size() - 1;
        if (arguments < statement->minArguments || arguments > statement->maxArguments) continue;
        auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };

        TZPrintFormElem e;
        e.type = static_cast<std::int32_t>(statement->type);
        switch (statement->type) {
        case PrintElemType::Print:
            e.x = number(field(1));
            e.y = number(field(2));
            e.size = integer(field(3));
            e.text = text(field(4));
            break;
        case PrintElemType::PrintVar:
            e.x = number(field(1));
            e.y = number(field(2));
            e.width = number(field(3));
            e.height = number(field(4));
            e.size = integer(field(5));
            e.text = text(field(6));
            e.variable = reportFieldId(e.text); // 0: an unknown name prints nothing
            e.wrapWidth = integer(field(7));
            e.maxLines = integer(field(8));
            break;
        case PrintElemType::Line:
            e.x = number(field(1));
            e.y = number(field(2));
            e.width = number(field(3));
            e.height = number(field(4));
            break;
        case PrintElemType::Figure:
            if (dealerMode && !field(5).empty() && (field(5).front() == '4' || field(5).front() == '5'))
                return false;
            e.x = number(field(1));
            e.y = number(field(2));
            e.width = number(field(3));
            e.height = number(field(4));
            e.size = integer(field(5));
            e.percent = integer(field(6));
            if (e.percent == 0) e.percent = 100;
            break;
        case PrintElemType::Picture:
            e.x = number(field(1));
            e.y = number(field(2));
            e.width = number(field(3));
            e.height = number(field(4));
            e.size = integer(field(5));
            break;
        default:
            break;
        }
        form.append(std::move(e));
    }

    // The logo comes last, on top of everything else.
    TZPrintFormElem logo;
    logo.type = static_cast<std::int32_t>(PrintElemType::Logo);
    logo.x = 10;
    logo.y = 12;
    logo.width = 40;
    logo.height = 17.6;
    form.append(logo);
    return true;
}

bool loadPrintForm(TZPrintForm& form, const std::filesystem::path& path, bool dealerMode) {
    std::string bytes;
    const ReadStatus status = readWholeFile(path, printFormFile::kMaxFormBytes, bytes);
    if (status != ReadStatus::Ok && status != ReadStatus::Empty) return false;
    if (!parsePrintForm(form, bytes, dealerMode)) return false;
    form.file = codepage::fromPath(path);
    return true;
}

void reloadPrintForms(TZCeiling& doc, bool dealerMode) {
    doc.resources.printForms.clear();
    // The forms of the writable folder and, for an installed program, the installed ones; a form
    // the user keeps under the name of an installed one takes its place. Sorted by file name.
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& folder : doc.programDirectory().searchFolders()) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError)) continue;
            std::string extension = it->path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (extension != printFormFile::kExtension) continue;
            const bool taken = std::any_of(files.begin(), files.end(), [&](const std::filesystem::path& f) {
                return f.filename() == it->path().filename();
            });
            if (!taken) files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end(), [](const std::filesystem::path& a, const std::filesystem::path& b) {
        return a.filename() < b.filename();
    });
    for (const auto& path : files) {
        TZPrintForm form;
        if (loadPrintForm(form, path, dealerMode)) doc.resources.printForms.append(std::move(form));
    }
}

} // namespace tenzora
