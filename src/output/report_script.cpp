#include "output/report_script.h"

#include <algorithm>
#include <vector>

#include "output/report_fields.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

constexpr char kReportOpening[] = "var word = new ActiveXObject(\"Word.Application\");\n"
                                  "var saveName = WScript.Arguments(0);\n"
                                  "word.Documents.Open(saveName, true, true);\n"
                                  "\n"
                                  "var adoc = word.ActiveDocument;\n"
                                  "adoc.PageSetup.LeftMargin  = '1';\n"
                                  "adoc.PageSetup.RightMargin = '1';\n"
                                  "adoc.PageSetup.TopMargin   = '1';\n"
                                  "var objSelection = adoc.Content;\n"
                                  "\n"
                                  "var wdReplaceAll = 2;\n"
                                  "var wdFindContinue = 1;\n"
                                  "\n";
constexpr char kReportClosing[] = "\t\t\tword.Visible = true";

constexpr char kPictureOpening[] = "var saveName = WScript.Arguments(0);\n"
                                   "var picName  = WScript.Arguments(1);\n"
                                   "\n"
                                   "var word = new ActiveXObject(\"Word.Application\");\n"
                                   "word.Documents.Add();\n"
                                   "\n"
                                   "var adoc = word.ActiveDocument;\n"
                                   "adoc.PageSetup.LeftMargin  = '1';\n"
                                   "adoc.PageSetup.RightMargin = '1';\n"
                                   "adoc.PageSetup.TopMargin   = '1';\n"
                                   "\n"
                                   "var shapes = adoc.Shapes;\n"
                                   "shapes.AddPicture(picName);\n"
                                   "\n";
constexpr char kPictureSaveAndQuit[] = "\t\t\tadoc.SaveAs(saveName);\n\nword.quit();";
constexpr char kPictureLeaveOpen[] = "\t\t\tword.Visible = true";

std::string replacement(const std::string& find, const std::string& replaceWith) {
    return "objSelection.Find.Execute('" + find +
           "', false, false, false, false, false, wdFindContinue, false, false, '" + replaceWith +
           "', wdReplaceAll, false, false, false, false);\n";
}

// Cuts an escaped value into pieces of at most 240 characters, never between the backslash of an
// escape and the character it escapes (a piece ending in a lone backslash would swallow the
// closing quote of its string).
std::vector<std::string> pieces(const std::string& escaped) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < escaped.size()) {
        std::size_t end = std::min(start + reportScript::kPieceLength, escaped.size());
        if (end < escaped.size()) {
            // Count the backslashes just before the cut: an odd run means the cut splits an escape.
            std::size_t run = 0;
            while (end - run > start && escaped[end - run - 1] == '\\')
                ++run;
            if (run % 2 == 1) --end;
        }
        out.push_back(escaped.substr(start, end - start));
        start = end;
    }
    return out;
}

bool nameStartsWithLockMark(const std::string& name) {
    return name.size() >= 2 && name[0] == '~' && name[1] == '$';
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

} // namespace

std::filesystem::path templatesFolderPath(const std::wstring& folderSetting,
                                          const std::filesystem::path& programDir) {
    std::wstring folder = folderSetting;
    const auto isSeparator = [](wchar_t c) { return c == L'/' || c == L'\\'; };
    std::filesystem::path result;
    if (codepage::toPath(folder).is_absolute()) {
        result = codepage::toPath(folder);
    } else {
        if (!folder.empty() && isSeparator(folder.front())) folder.erase(0, 1);
        result = programDir / codepage::toPath(folder);
    }
    std::wstring text = codepage::fromPath(result);
    if (text.size() > 1 && isSeparator(text.back())) text.pop_back();
    return codepage::toPath(text);
}

TZStaticArray<TZWordForm> scanTemplates(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> documents;
    std::vector<std::filesystem::path> workbooks;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (nameStartsWithLockMark(name)) continue;
        const std::string extension = lowerAscii(it->path().extension().string());
        if (extension.rfind(".doc", 0) == 0)
            documents.push_back(it->path());
        else if (extension.rfind(".xls", 0) == 0)
            workbooks.push_back(it->path());
    }
    std::sort(documents.begin(), documents.end());
    std::sort(workbooks.begin(), workbooks.end());
    TZStaticArray<TZWordForm> forms;
    for (const auto* group : {&documents, &workbooks})
        for (const auto& path : *group)
            forms.append(TZWordForm{codepage::fromPath(path), codepage::fromPath(path.filename()), 1});
    return forms;
}

std::wstring escapeScriptValue(const std::wstring& value) {
    std::wstring out;
    out.reserve(value.size());
    for (wchar_t c : value) {
        switch (c) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\'':
            out += L"\\'";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\n':
            out += L"\\n";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string buildReportScript(const std::function<std::wstring(int id)>& value) {
    std::string script = kReportOpening;
    for (const ReportField& field : reportFields()) {
        const std::string keyword(field.keyword);
        const std::string escaped = codepage::toCp1251(escapeScriptValue(value(field.id)));
        if (escaped.size() < reportScript::kLongValue) {
            script += replacement(keyword, escaped);
            continue;
        }
        const std::vector<std::string> parts = pieces(escaped);
        std::string markers;
        for (std::size_t k = 0; k < parts.size(); ++k)
            markers += "##" + std::to_string(k) + "~";
        script += replacement(keyword, markers);
        for (std::size_t k = 0; k < parts.size(); ++k)
            script += replacement("##" + std::to_string(k) + "~", parts[k]);
    }
    script += kReportClosing;
    return script;
}

std::string buildPictureScript(bool saveAndQuit) {
    return std::string(kPictureOpening) + (saveAndQuit ? kPictureSaveAndQuit : kPictureLeaveOpen);
}

bool writeScriptFile(const std::filesystem::path& path, const std::string& script) {
    return writeFileReplacing(path, script);
}

} // namespace tenzora
