#include "output/report_command.h"

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/settings.h"
#include "output/project_report.h"
#include "output/report_script.h"
#include "platform/launcher.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

constexpr std::int64_t kScriptTimeModulus = 65536;
constexpr double kScriptTimeScale = 65535.0;
constexpr double kScriptNumbers = 100000.0;

} // namespace

bool prepareReportTemplates(TZCeiling& doc, const AppSettings& settings, std::vector<std::wstring>& names) {
    names.clear();
    if (!checkMaximumError(doc)) return false;
    // The folder setting as the program holds it: the settings dialog stores every change, so it
    // is the value the settings store would give when read again.
    const std::wstring folder =
        settings.templatesFolder.empty() ? defaultTemplatesFolder() : settings.templatesFolder;
    doc.resources.wordForms = scanTemplates(templatesFolderPath(folder, doc.programDir()));
    // An installed program also offers the templates installed with it, after the user's own;
    // the user's template of the same name takes the place of the installed one.
    if (doc.programDirectory().isSplit() && !codepage::toPath(folder).is_absolute()) {
        const TZStaticArray<TZWordForm> installed =
            scanTemplates(templatesFolderPath(folder, doc.programDirectory().shipped));
        for (int i = 0; i < installed.count(); ++i) {
            bool taken = false;
            for (int k = 0; k < doc.resources.wordForms.count() && !taken; ++k)
                taken = doc.resources.wordForms.at(k).name == installed.at(i).name;
            if (!taken) doc.resources.wordForms.append(installed.at(i));
        }
    }
    for (int i = 0; i < doc.resources.wordForms.count(); ++i)
        names.push_back(doc.resources.wordForms.at(i).name);
    return true;
}

int reportScriptNumber(std::int64_t secondsSince1970) {
    std::int64_t t = (5 * (secondsSince1970 % kScriptTimeModulus)) % kScriptTimeModulus;
    if (t < 0) t += kScriptTimeModulus;
    return static_cast<int>(static_cast<double>(t) / kScriptTimeScale * kScriptNumbers);
}

bool runReport(TZCeiling& doc, const AppSettings& settings, int index, Launcher& launcher,
               const std::filesystem::path& tempFolder, std::int64_t secondsSince1970) {
    const TZWordForm* form = doc.resources.wordForms.checkedAt(index);
    if (form == nullptr) return false;
    const std::filesystem::path script =
        tempFolder /
        codepage::toPath(L"ex2script" + formatInteger(reportScriptNumber(secondsSince1970)) + L".js");
    const std::wstring scriptText = codepage::fromPath(script);
    if (!writeReportScript(doc, settings, script)) {
        doc.ui().error(L"Не удалось записать файл " + scriptText);
        return false;
    }
    // The arguments go to the script host as they are, never through a shell, so a template
    // path with blanks arrives whole as the script's first argument.
    if (launcher.startProgram(kScriptHost, {scriptText, form->path})) return true;
    // Without the script host (and the office suite it drives) the report cannot be filled in
    // here; the script is kept so that it can be run where they are.
    doc.ui().information(L"Сценарий отчёта записан в файл " + scriptText +
                         L". Для заполнения шаблона нужны Windows Script Host и Microsoft Word или Excel.");
    return false;
}

} // namespace tenzora
