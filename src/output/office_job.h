#pragma once
// The files the program exchanges with its office helper (office/tenzora_office.py below the
// program directory, run by the system's Python with LibreOffice's UNO bridge): the job file it
// writes — what to do, and every value of the project as JSON data, never as program text — and
// the result file the helper writes back ("key=value" lines).

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tenzora {

class TZCeiling;
struct AppSettings;

// The helper, below the program directory, and the Python that runs it (Debian's, which has the
// uno module; a Python of one's own on PATH usually has not).
inline constexpr char kOfficeHelper[] = "office/tenzora_office.py";
inline constexpr wchar_t kOfficePython[] = L"/usr/bin/python3";
// Page margins the office scripts give the document: Word reads their value of 1 as one point,
// 0.35 mm (in hundredths of a millimetre here).
inline constexpr int kOfficeMargin = 35;

struct OfficeField {
    std::string keyword;
    std::wstring value;
};

// Every report keyword in the order the report replaces them, with the project's value.
std::vector<OfficeField> reportFieldValues(TZCeiling& doc, const AppSettings& settings);

struct OfficeJob {
    enum class Kind { Report, Picture, Convert };
    Kind kind = Kind::Report;
    std::filesystem::path source; // the template, or the picture
    std::filesystem::path output; // the file to write (its ending gives the format)
    std::filesystem::path result; // where the helper writes its result
    std::vector<OfficeField> fields;
    // Convert: each file stored again in the format of its target's ending.
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> items;
};

// A text as a JSON string, quotes included (UTF-8; control characters escaped).
std::string jsonString(std::wstring_view text);
// The job file's text (UTF-8 JSON).
std::string officeJobJson(const OfficeJob& job);

enum class OfficeFailure {
    None,
    NoHelper,   // the helper file is not in the program directory
    NotStarted, // the Python could not be started
    NoResult,   // the helper ended without writing its result
    Stopped,    // it took too long and was stopped
    NoOffice,   // no soffice
    NoUno,      // no uno module for the Python
    Template,   // the template (or a source) cannot be opened
    Format,     // the target's ending names no format for this kind of document
    Output,     // the target cannot be written
    Picture,    // the picture cannot be read
    Internal,   // anything else the helper reported
};

struct OfficeResult {
    OfficeFailure failure = OfficeFailure::NoResult;
    std::wstring output; // the file written
    std::wstring detail; // the helper's own words, for the message
    bool ok() const { return failure == OfficeFailure::None; }
};

// Reads the helper's result ("status=ok|failed", "reason=…", "detail=…", "output=…"); anything
// else, or no status, is NoResult.
OfficeResult parseOfficeResult(std::string_view bytes);
// The result file; a file that is missing or too large is NoResult.
OfficeResult readOfficeResult(const std::filesystem::path& path);

// What the user is told when the job failed; empty when it did not. `source` is the template or
// the picture, `output` the file that was to be written.
std::wstring officeFailureText(const OfficeResult& result, const std::wstring& source,
                               const std::wstring& output);

// A file name made of a text (the order name): characters that a file name cannot hold become
// "_", blanks and dots are trimmed from the ends, at most 80 characters; empty stays empty.
std::wstring fileNamePart(std::wstring_view text);

// Where a filled report goes: "<order> - <template name><template's ending>" in the folder, with
// " (2)", " (3)" … added when that name is taken (also by an office lock file of an open copy).
// The name is reserved by creating an empty file; an empty path when none can be had.
std::filesystem::path reserveReportPath(const std::filesystem::path& folder, const std::wstring& orderName,
                                        const std::filesystem::path& templatePath);

} // namespace tenzora
