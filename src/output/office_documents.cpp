#include "output/office_documents.h"

#include <memory>
#include <random>
#include <system_error>

#include "model/ceiling.h"
#include "output/picture_export.h"
#include "output/report_command.h"
#include "platform/launcher.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/file_io.h"

namespace tenzora {

namespace {

constexpr std::uint32_t kNameNumbers = 1000000000u;
constexpr wchar_t kUntitledEnding[] = L".ott";

// The job and result files of one job in the temporary folder.
struct JobFiles {
    std::filesystem::path job, result;
    void remove() const {
        std::error_code ec;
        std::filesystem::remove(job, ec);
        std::filesystem::remove(result, ec);
    }
};

JobFiles jobFilesIn(const std::filesystem::path& folder) {
    std::random_device device;
    const std::wstring stem = L"tzoffice-" + std::to_wstring(device() % kNameNumbers) + L"-" +
                              std::to_wstring(device() % kNameNumbers);
    return {folder / codepage::toPath(stem + L".json"), folder / codepage::toPath(stem + L".result")};
}

std::filesystem::path helperPath(const OfficeContext& context) {
    return context.programDir / std::filesystem::path(kOfficeHelper);
}

OfficeResult failed(OfficeFailure failure) {
    OfficeResult r;
    r.failure = failure;
    return r;
}

// Writes the job file; the helper's path and the arguments to start it with.
bool prepare(OfficeJob& job, const OfficeContext& context, const JobFiles& files,
             std::vector<std::wstring>& arguments, OfficeResult& failure) {
    const std::filesystem::path helper = helperPath(context);
    std::error_code ec;
    if (context.programDir.empty() || !std::filesystem::is_regular_file(helper, ec)) {
        failure = failed(OfficeFailure::NoHelper);
        failure.detail = codepage::fromPath(helper);
        return false;
    }
    job.result = files.result;
    if (!writeFileReplacing(files.job, officeJobJson(job))) {
        failure = failed(OfficeFailure::Output);
        failure.detail = codepage::fromPath(files.job);
        return false;
    }
    arguments = {codepage::fromPath(helper), codepage::fromPath(files.job)};
    return true;
}

std::wstring pathText(const std::filesystem::path& path) {
    return codepage::fromPath(path);
}

void removeIfEmpty(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec)
        std::filesystem::remove(path, ec);
}

std::wstring lowerEnding(const std::wstring& path) {
    std::wstring ending = codepage::fromPath(codepage::toPath(path).extension());
    for (wchar_t& c : ending)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
    return ending;
}

} // namespace

bool officeScriptHostAvailable() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

OfficeResult runOfficeJob(OfficeJob job, const OfficeContext& context) {
    const JobFiles files = jobFilesIn(context.tempFolder);
    std::vector<std::wstring> arguments;
    OfficeResult result;
    if (!prepare(job, context, files, arguments, result)) return result;
    const int status = context.launcher.runToEnd(kOfficePython, arguments, kOfficeTimeoutMs);
    result = readOfficeResult(files.result);
    files.remove();
    if (result.failure == OfficeFailure::NoResult && status == kRunNotStarted)
        result.failure = OfficeFailure::NotStarted;
    else if (result.failure == OfficeFailure::NoResult && status < 0)
        result.failure = OfficeFailure::Stopped;
    return result;
}

bool startOfficeJob(OfficeJob job, const OfficeContext& context,
                    std::function<void(const OfficeResult&)> done, OfficeResult& failure) {
    const JobFiles files = jobFilesIn(context.tempFolder);
    std::vector<std::wstring> arguments;
    if (!prepare(job, context, files, arguments, failure)) return false;
    const bool started =
        context.launcher.startWatched(kOfficePython, arguments, [files, done = std::move(done)] {
            const OfficeResult result = readOfficeResult(files.result);
            files.remove();
            if (done) done(result);
        });
    if (started) return true;
    files.remove();
    failure = failed(OfficeFailure::NotStarted);
    return false;
}

OfficeResult fillReport(TZCeiling& doc, const AppSettings& settings,
                        const std::filesystem::path& templatePath, const std::filesystem::path& output,
                        const OfficeContext& context) {
    OfficeJob job;
    job.kind = OfficeJob::Kind::Report;
    job.source = std::filesystem::absolute(templatePath);
    job.output = std::filesystem::absolute(output);
    job.fields = reportFieldValues(doc, settings);
    return runOfficeJob(std::move(job), context);
}

bool startOfficeReport(TZCeiling& doc, const AppSettings& settings, int index, const OfficeContext& context) {
    const TZWordForm* form = doc.resources.wordForms.checkedAt(index);
    if (form == nullptr) return false;
    const std::filesystem::path templatePath = codepage::toPath(form->path);
    const std::filesystem::path output = reserveReportPath(context.tempFolder, doc.orderName, templatePath);
    if (output.empty()) {
        doc.ui().error(L"Не удалось создать файл отчёта в папке " + pathText(context.tempFolder));
        return false;
    }
    OfficeJob job;
    job.kind = OfficeJob::Kind::Report;
    job.source = templatePath;
    job.output = output;
    job.fields = reportFieldValues(doc, settings);
    UiServices& ui = doc.ui();
    Launcher& launcher = context.launcher;
    auto done = [&ui, &launcher, templatePath, output](const OfficeResult& result) {
        if (!result.ok()) {
            removeIfEmpty(output);
            ui.error(officeFailureText(result, pathText(templatePath), pathText(output)));
            return;
        }
        // The filled report is the user's to edit, print or save, in the desktop's own program.
        if (!launcher.openDocument(pathText(output)))
            ui.information(L"Отчёт сохранён в файле " + pathText(output));
    };
    OfficeResult failure;
    if (startOfficeJob(std::move(job), context, std::move(done), failure)) return true;
    removeIfEmpty(output);
    ui.error(officeFailureText(
        failure, failure.failure == OfficeFailure::NoHelper ? failure.detail : pathText(templatePath),
        pathText(output)));
    return false;
}

bool isPictureDocumentPath(const std::wstring& path) {
    const std::wstring ending = lowerEnding(path);
    return ending == L".doc" || ending == L".docx" || ending == L".odt" || ending == L".rtf";
}

OfficeResult writePictureDocument(const std::filesystem::path& picture, const std::filesystem::path& output,
                                  const OfficeContext& context) {
    OfficeJob job;
    job.kind = OfficeJob::Kind::Picture;
    job.source = std::filesystem::absolute(picture);
    job.output = std::filesystem::absolute(output);
    return runOfficeJob(std::move(job), context);
}

bool startPictureDocument(UiServices& ui, const std::filesystem::path& picture, const std::wstring& target,
                          const OfficeContext& context) {
    const bool untitled = !isPictureDocumentPath(target);
    std::filesystem::path output = codepage::toPath(target);
    if (untitled) {
        output = context.tempFolder / codepage::toPath(codepage::fromPath(picture.stem()) + kUntitledEnding);
    }
    OfficeJob job;
    job.kind = OfficeJob::Kind::Picture;
    job.source = picture;
    job.output = output;
    Launcher& launcher = context.launcher;
    auto done = [&ui, &launcher, picture, output, untitled](const OfficeResult& result) {
        std::error_code ec;
        std::filesystem::remove(picture, ec);
        if (!result.ok()) {
            ui.error(officeFailureText(result, pathText(picture), pathText(output)));
            return;
        }
        if (untitled && !launcher.openDocument(pathText(output)))
            ui.information(L"Документ с рисунком сохранён в файле " + pathText(output));
    };
    OfficeResult failure;
    if (startOfficeJob(std::move(job), context, std::move(done), failure)) return true;
    ui.error(officeFailureText(
        failure, failure.failure == OfficeFailure::NoHelper ? failure.detail : pathText(picture),
        pathText(output)));
    return false;
}

bool runReportOfTemplate(TZCeiling& doc, const AppSettings& settings, int index, Launcher& launcher,
                         const std::filesystem::path& tempFolder, std::int64_t secondsSince1970) {
    if (officeScriptHostAvailable())
        return runReport(doc, settings, index, launcher, tempFolder, secondsSince1970);
    return startOfficeReport(doc, settings, index, OfficeContext{doc.programDir(), tempFolder, launcher});
}

void handOnWordPicture(UiServices& ui, const std::filesystem::path& programDir, const ExportResult& result,
                       const std::wstring& target, Launcher& launcher) {
    if (!officeScriptHostAvailable()) {
        startPictureDocument(ui, result.picture, target,
                             OfficeContext{programDir, result.picture.parent_path(), launcher});
        return;
    }
    if (!launcher.openDocument(codepage::fromPath(result.picture)))
        ui.information(L"Рисунок для Microsoft Word сохранён в файле " + codepage::fromPath(result.picture));
}

} // namespace tenzora
