// export: the picture export of the drawing or of a printed sheet, headless.

#include <iostream>

#include "cli/cad_export_command.h"
#include "cli/commands.h"
#include "cli/office_commands.h"
#include "model/ceiling.h"
#include "output/cad_export.h"
#include "output/office_documents.h"
#include "output/picture_export.h"
#include "output/print_form_file.h"
#include "output/sheet_variables_adapter.h"
#include "platform/clock.h"
#include "platform/qt/qt_export_backend.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

std::string sizeText(std::int32_t w, std::int32_t h) {
    return std::to_string(w) + " x " + std::to_string(h) + " pixels";
}

// One line on standard error saying what was written (standard output stays free, as for every
// command that writes a file).
void logLine(const std::string& out, const ExportResult& r) {
    if (r.format == ExportFormat::Word) {
        std::cerr << "export: " << out << " goes to Word: picture "
                  << codepage::toUtf8(codepage::fromPath(r.picture)) << ", script "
                  << codepage::toUtf8(codepage::fromPath(r.script))
                  << " (to be run with the target and the picture)\n";
        return;
    }
    std::cerr << "export: " << out << ", " << sizeText(r.size.width, r.pictureHeight);
    if (r.pages > 1) std::cerr << " (the sheet and its continuation page)";
    if (r.size.reduced)
        std::cerr << "; scaled down from "
                  << sizeText(r.size.requestedWidth, r.size.requestedHeight * r.pages) << " to keep within "
                  << kMaxPictureSide << " pixels a side";
    std::cerr << "\n";
}

} // namespace

int runExport(Context& context, Arguments& args) {
    const auto formText = args.option("--form");
    const bool canvases = args.flag("--canvases");
    const auto files = args.positional();
    if (files.size() != 2) throw UsageError("export needs a project file and the file to write");
    if (cadFormatFor(codepage::fromUtf8(files[1])) != CadFormat::None) {
        if (formText) throw UsageError("--form is for pictures and sheets, not for .dxf or .plt");
        return runCadExport(context, files[0], files[1], canvases);
    }
    if (canvases) throw UsageError("--canvases needs a file ending in .dxf or .plt");
    const int form = formText ? parseInteger(*formText, "--form") : -1;
    if (formText && form < 0) throw UsageError("--form takes a form number from 0");

    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    const AppSettings& settings = context.app().settings();
    std::wstring missingLogo;
    context.app().loadLogos(missingLogo); // a sheet without its logo is still a sheet
    if (form >= 0) {
        reloadPrintForms(doc, settings.dealerMode);
        if (form >= doc.resources.printForms.count())
            throw Failure("no print form " + std::to_string(form) + ": the program directory has " +
                          std::to_string(doc.resources.printForms.count()));
    }

    QtExportBackend backend;
    VariableTextsAdapter variables(doc, settings);
    SystemClock clock;
    ExportServices services{settings, backend, context.images(), &variables, {}, &clock};
    const std::wstring out = codepage::fromUtf8(files[1]);
    const ExportResult r = exportDrawing(doc, out, form, services);
    switch (r.status) {
    case ExportStatus::Written:
        if (r.format == ExportFormat::Word && isPictureDocumentPath(out)) {
            writePictureDocumentFor(context, files[1], r);
            std::cerr << "export: " << files[1] << ", a document holding the picture on an A4 page\n";
            return kExitOk;
        }
        logLine(files[1], r);
        return kExitOk;
    case ExportStatus::NothingToDraw:
        throw Failure("the drawing has no extent: nothing to export");
    case ExportStatus::NoSuchForm:
        throw Failure("no print form " + std::to_string(form));
    case ExportStatus::DrawingFailed:
        throw Failure(form >= 0 ? "the sheet of print form " + std::to_string(form) + " could not be drawn"
                                : "the picture could not be made");
    case ExportStatus::WriteFailed:
        throw Failure("Не удалось записать файл " + files[1]);
    case ExportStatus::Unsupported:
        throw Failure("PDF is not available in this build");
    }
    return kExitFailed;
}

} // namespace cli

} // namespace tenzora
