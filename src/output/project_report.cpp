#include "output/project_report.h"

#include "output/report_script.h"
#include "output/variable_text.h"

namespace tenzora {

bool writeReportScript(TZCeiling& doc, const AppSettings& settings, const std::filesystem::path& path) {
    return writeScriptFile(path, buildReportScript([&](int id) { return reportValue(doc, settings, id); }));
}

} // namespace tenzora
