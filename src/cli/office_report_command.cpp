// report: a Word, Excel or LibreOffice template filled with the project's values through
// LibreOffice, headless.

#include <iostream>
#include <system_error>

#include "cli/commands.h"
#include "cli/office_commands.h"
#include "output/office_documents.h"
#include "output/picture_export.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

OfficeContext officeContext(Context& context) {
    std::error_code ec;
    return {context.app().programDir(), std::filesystem::temp_directory_path(ec),
            context.app().services().launcher};
}

} // namespace

int runReport(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 3) throw UsageError("report needs a project file, a template and the file to write");
    context.openProject(files[0]);
    const std::filesystem::path templatePath = codepage::toPath(codepage::fromUtf8(files[1]));
    const std::filesystem::path out = codepage::toPath(codepage::fromUtf8(files[2]));
    const OfficeContext office = officeContext(context);
    const OfficeResult result =
        fillReport(context.doc(), context.app().settings(), templatePath, out, office);
    if (!result.ok())
        throw Failure(utf8(officeFailureText(
            result, result.failure == OfficeFailure::NoHelper ? result.detail : codepage::fromUtf8(files[1]),
            codepage::fromUtf8(files[2]))));
    std::cerr << "report: " << files[2] << " filled from " << files[1] << "\n";
    return kExitOk;
}

void writePictureDocumentFor(Context& context, const std::string& out, const ExportResult& exported) {
    const OfficeResult result = writePictureDocument(
        exported.picture, codepage::toPath(codepage::fromUtf8(out)), officeContext(context));
    std::error_code ec;
    std::filesystem::remove(exported.picture, ec);
    std::filesystem::remove(exported.script, ec);
    if (!result.ok())
        throw Failure(utf8(officeFailureText(
            result,
            result.failure == OfficeFailure::NoHelper ? result.detail : codepage::fromPath(exported.picture),
            codepage::fromUtf8(out))));
}

} // namespace cli

} // namespace tenzora
