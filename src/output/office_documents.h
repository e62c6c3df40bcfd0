#pragma once
// Reports and picture documents through LibreOffice, where there is no Windows Script Host to run
// the office scripts: the program writes a job file for its office helper, starts the helper
// through the Launcher and reads back the result the helper writes. The headless program waits
// for the helper; the window goes on and hears of the end through the launcher's watch.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "output/office_job.h"

namespace tenzora {

class Launcher;
class TZCeiling;
struct ExportResult;
class UiServices;
struct AppSettings;

// How long one job may take before the helper is stopped.
inline constexpr int kOfficeTimeoutMs = 180000;

struct OfficeContext {
    std::filesystem::path programDir; // holds the helper
    std::filesystem::path tempFolder; // the job and result files (and the window's reports)
    Launcher& launcher;
};

// Whether the reports and the Word picture go to the Windows Script Host (where there is one)
// rather than to LibreOffice.
bool officeScriptHostAvailable();

// Runs the job and waits for it; its result file is chosen here. The job's files are removed.
OfficeResult runOfficeJob(OfficeJob job, const OfficeContext& context);

// Starts the job and calls `done` with its result once the helper has ended. False when the
// helper could not be started; `failure` then says why and `done` is not called.
bool startOfficeJob(OfficeJob job, const OfficeContext& context,
                    std::function<void(const OfficeResult&)> done, OfficeResult& failure);

// Fills the template with the project's values into `output` (its ending gives the format) and
// waits for it. The template is opened read-only and never changed; `output` is written whole or
// not at all.
OfficeResult fillReport(TZCeiling& doc, const AppSettings& settings,
                        const std::filesystem::path& templatePath, const std::filesystem::path& output,
                        const OfficeContext& context);

// "Отчет в Word или Excel" through LibreOffice: template `index` of the document's list filled into
// a new file of the temporary folder (named after the order and the template, in the template's
// format), which is opened with the desktop's program once it is ready. Failures are told through
// the document's messages. An index past the list does nothing. True when the helper started.
bool startOfficeReport(TZCeiling& doc, const AppSettings& settings, int index, const OfficeContext& context);

// Whether a target of the Word export is a document to write (".doc", ".docx", ".odt", ".rtf");
// any other target opens an untitled document instead.
bool isPictureDocumentPath(const std::wstring& path);

// Writes a document holding the picture (a metafile) on an A4 page at `output`, and waits for it.
OfficeResult writePictureDocument(const std::filesystem::path& picture, const std::filesystem::path& output,
                                  const OfficeContext& context);

// The Word entries of the export through LibreOffice: a document target gets the document holding
// the picture; any other target opens a new untitled document holding it with the desktop's
// program (the document is made as a template, which office programs open untitled). The
// picture is removed once the helper has ended. Failures are told through `ui`. True when the
// helper started.
bool startPictureDocument(UiServices& ui, const std::filesystem::path& picture, const std::wstring& target,
                          const OfficeContext& context);

// The report of template `index` as the window runs it: the report script for the script host
// where there is one, otherwise the report through LibreOffice. True when it was started.
bool runReportOfTemplate(TZCeiling& doc, const AppSettings& settings, int index, Launcher& launcher,
                         const std::filesystem::path& tempFolder, std::int64_t secondsSince1970);

// The picture of a Word export (`result`, written for `target`) handed on: to LibreOffice where
// there is no script host, otherwise opened with the desktop's program for metafiles, the script
// left beside it. Failures are told through `ui`.
void handOnWordPicture(UiServices& ui, const std::filesystem::path& programDir, const ExportResult& result,
                       const std::wstring& target, Launcher& launcher);

} // namespace tenzora
