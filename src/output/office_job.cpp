#include "output/office_job.h"

#include <cstdio>
#include <system_error>

#include "output/report_fields.h"
#include "output/variable_text.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

constexpr std::uintmax_t kMaxResultBytes = 64 * 1024;
constexpr std::size_t kMaxNamePart = 80;
constexpr int kMaxReportCopies = 999;
constexpr wchar_t kReplacementCharacter = 0xFFFD;
constexpr wchar_t kFirstSurrogate = 0xD800;
constexpr wchar_t kLastSurrogate = 0xDFFF;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr wchar_t kFirstPrintable = 0x20;
constexpr wchar_t kDelete = 0x7F;

const char* kindName(OfficeJob::Kind kind) {
    switch (kind) {
    case OfficeJob::Kind::Report:
        return "report";
    case OfficeJob::Kind::Picture:
        return "picture";
    case OfficeJob::Kind::Convert:
        return "convert";
    }
    return "report";
}

std::string pathJson(const std::filesystem::path& path) {
    return jsonString(codepage::fromPath(path));
}

OfficeFailure failureForReason(std::string_view reason) {
    if (reason == "office") return OfficeFailure::NoOffice;
    if (reason == "uno") return OfficeFailure::NoUno;
    if (reason == "template") return OfficeFailure::Template;
    if (reason == "kind") return OfficeFailure::Format;
    if (reason == "output") return OfficeFailure::Output;
    if (reason == "picture") return OfficeFailure::Picture;
    return OfficeFailure::Internal;
}

bool unfitForFileName(wchar_t c) {
    return c < kFirstPrintable || c == kDelete || c == L'/' || c == L'\\' || c == L':' || c == L'*' ||
           c == L'?' || c == L'"' || c == L'<' || c == L'>' || c == L'|';
}

bool taken(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) return true;
    // LibreOffice keeps ".~lock.<name>#" beside a file it has open.
    const std::filesystem::path lock =
        path.parent_path() / codepage::toPath(L".~lock." + codepage::fromPath(path.filename()) + L"#");
    return std::filesystem::exists(lock, ec) || ec;
}

// Creates the file only when it does not exist yet.
bool createExclusively(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.c_str(), "wx");
    if (f == nullptr) return false;
    std::fclose(f);
    return true;
}

} // namespace

std::vector<OfficeField> reportFieldValues(TZCeiling& doc, const AppSettings& settings) {
    std::vector<OfficeField> fields;
    for (const ReportField& f : reportFields())
        fields.push_back({std::string(f.keyword), reportValue(doc, settings, f.id)});
    return fields;
}

std::string jsonString(std::wstring_view text) {
    std::wstring clean;
    clean.reserve(text.size());
    for (wchar_t c : text) {
        // Lone surrogates and values beyond Unicode have no UTF-8 form a reader accepts.
        const auto code = static_cast<std::uint32_t>(c);
        clean.push_back((c >= kFirstSurrogate && c <= kLastSurrogate) || code > kLastCodePoint
                            ? kReplacementCharacter
                            : c);
    }
    const std::string utf8 = codepage::toUtf8(clean);
    std::string out = "\"";
    out.reserve(utf8.size() + 2);
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < kFirstPrintable || c == kDelete) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out.push_back(ch);
            }
        }
    }
    return out + "\"";
}

std::string officeJobJson(const OfficeJob& job) {
    std::string json = "{\n  \"version\": 1,\n  \"kind\": \"" + std::string(kindName(job.kind)) + "\",\n";
    json += "  \"result\": " + pathJson(job.result) + ",\n";
    json += "  \"margins\": {\"left\": " + std::to_string(kOfficeMargin) +
            ", \"right\": " + std::to_string(kOfficeMargin) + ", \"top\": " + std::to_string(kOfficeMargin) +
            "},\n";
    switch (job.kind) {
    case OfficeJob::Kind::Report:
        json += "  \"template\": " + pathJson(job.source) + ",\n";
        break;
    case OfficeJob::Kind::Picture:
        json += "  \"picture\": " + pathJson(job.source) + ",\n";
        break;
    case OfficeJob::Kind::Convert:
        json += "  \"items\": [";
        for (std::size_t i = 0; i < job.items.size(); ++i)
            json += std::string(i == 0 ? "" : ",") + "\n    {\"source\": " + pathJson(job.items[i].first) +
                    ", \"target\": " + pathJson(job.items[i].second) + "}";
        json += "\n  ],\n";
        break;
    }
    json += "  \"fields\": [";
    for (std::size_t i = 0; i < job.fields.size(); ++i)
        json += std::string(i == 0 ? "" : ",") +
                "\n    {\"keyword\": " + jsonString(codepage::fromUtf8(job.fields[i].keyword)) +
                ", \"value\": " + jsonString(job.fields[i].value) + "}";
    json += "\n  ],\n";
    json += "  \"output\": " + pathJson(job.output) + "\n}\n";
    return json;
}

OfficeResult parseOfficeResult(std::string_view bytes) {
    OfficeResult result;
    std::string status, reason;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "status")
            status = value;
        else if (key == "reason")
            reason = value;
        else if (key == "detail")
            result.detail = codepage::fromUtf8(value);
        else if (key == "output")
            result.output = codepage::fromUtf8(value);
    }
    if (status == "ok")
        result.failure = OfficeFailure::None;
    else if (status == "failed")
        result.failure = failureForReason(reason);
    return result;
}

OfficeResult readOfficeResult(const std::filesystem::path& path) {
    std::string bytes;
    if (readWholeFile(path, kMaxResultBytes, bytes) != ReadStatus::Ok) return {};
    return parseOfficeResult(bytes);
}

std::wstring officeFailureText(const OfficeResult& result, const std::wstring& source,
                               const std::wstring& output) {
    const std::wstring detail = result.detail.empty() ? std::wstring() : L" (" + result.detail + L")";
    switch (result.failure) {
    case OfficeFailure::None:
        return {};
    case OfficeFailure::NoHelper:
        return L"Не найден файл " + source + L": программа установлена не полностью.";
    case OfficeFailure::NotStarted:
        return std::wstring(L"Не удалось запустить ") + kOfficePython +
               L": для документов LibreOffice нужен Python 3 с пакетом python3-uno.";
    case OfficeFailure::NoResult:
        return L"LibreOffice не закончил работу с файлом " + source + L": файл " + output + L" не создан.";
    case OfficeFailure::Stopped:
        return L"LibreOffice не ответил вовремя и был остановлен: файл " + output + L" не создан.";
    case OfficeFailure::NoOffice:
        return L"Не найден LibreOffice (программа soffice): файл " + output +
               L" не создан. Установите LibreOffice Writer и Calc." + detail;
    case OfficeFailure::NoUno:
        return L"Не найден модуль uno (пакет python3-uno), через который программа работает с LibreOffice: "
               L"файл " +
               output + L" не создан.";
    case OfficeFailure::Template:
        return L"LibreOffice не может открыть файл " + source + detail;
    case OfficeFailure::Format:
        return L"Файл " + source + L" нельзя сохранить в формате файла " + output + detail;
    case OfficeFailure::Output:
        return L"Не удалось записать файл " + output + detail;
    case OfficeFailure::Picture:
        return L"LibreOffice не может прочитать рисунок " + source + detail;
    case OfficeFailure::Internal:
        break;
    }
    return L"Ошибка LibreOffice при работе с файлом " + source + detail;
}

std::wstring fileNamePart(std::wstring_view text) {
    std::wstring name;
    for (wchar_t c : text)
        name.push_back(unfitForFileName(c) ? L'_' : c);
    const auto trimmed = [](wchar_t c) { return c == L' ' || c == L'.'; };
    while (!name.empty() && trimmed(name.back()))
        name.pop_back();
    std::size_t start = 0;
    while (start < name.size() && trimmed(name[start]))
        ++start;
    name.erase(0, start);
    if (name.size() > kMaxNamePart) name.resize(kMaxNamePart);
    while (!name.empty() && trimmed(name.back()))
        name.pop_back();
    return name;
}

std::filesystem::path reserveReportPath(const std::filesystem::path& folder, const std::wstring& orderName,
                                        const std::filesystem::path& templatePath) {
    std::wstring order = fileNamePart(orderName);
    if (order.empty()) order = L"Отчёт";
    std::wstring name = fileNamePart(codepage::fromPath(templatePath.stem()));
    const std::wstring ending = codepage::fromPath(templatePath.extension());
    const std::wstring base = name.empty() ? order : order + L" - " + name;
    for (int copy = 1; copy <= kMaxReportCopies; ++copy) {
        const std::wstring numbered = copy == 1 ? base : base + L" (" + std::to_wstring(copy) + L")";
        const std::filesystem::path path = folder / codepage::toPath(numbered + ending);
        if (!taken(path) && createExclusively(path)) return path;
    }
    return {};
}

} // namespace tenzora
