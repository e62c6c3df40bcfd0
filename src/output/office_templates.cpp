#include "output/office_templates.h"

#include <algorithm>
#include <system_error>

#include "model/ceiling.h"
#include "model/measurements.h"
#include "model/settings.h"
#include "output/office_documents.h"
#include "output/report_command.h"
#include "output/report_script.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    return s;
}

bool isLockFile(const std::string& name) {
    if (name.rfind("~$", 0) == 0) return true;
    return name.rfind(".~lock.", 0) == 0 && !name.empty() && name.back() == '#';
}

bool isTemplateEnding(const std::string& ending) {
    return ending.rfind(".doc", 0) == 0 || ending.rfind(".xls", 0) == 0 || ending == ".odt" ||
           ending == ".ods" || ending == ".rtf";
}

} // namespace

TZStaticArray<TZWordForm> scanOfficeTemplates(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (isLockFile(name)) continue;
        if (isTemplateEnding(lowerAscii(it->path().extension().string()))) found.push_back(it->path());
    }
    std::sort(found.begin(), found.end(), [](const std::filesystem::path& a, const std::filesystem::path& b) {
        return a.filename() < b.filename();
    });
    TZStaticArray<TZWordForm> forms;
    for (const auto& path : found)
        forms.append(TZWordForm{codepage::fromPath(path), codepage::fromPath(path.filename()), 1});
    return forms;
}

bool prepareTemplatesOfReport(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names) {
    if (officeScriptHostAvailable()) return prepareReportTemplates(doc, settings, names);
    names.clear();
    if (!checkMaximumError(doc)) return false;
    const std::wstring folder =
        settings.templatesFolder.empty() ? defaultTemplatesFolder() : settings.templatesFolder;
    doc.resources.wordForms = scanOfficeTemplates(templatesFolderPath(folder, doc.programDir()));
    for (int i = 0; i < doc.resources.wordForms.count(); ++i)
        names.push_back(doc.resources.wordForms.at(i).name);
    return true;
}

} // namespace tenzora
