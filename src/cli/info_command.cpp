#include "business/project_file.h"
#include "cli/commands.h"
#include "cli/project_json.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/project_image.h"

namespace tenzora {

namespace cli {

int runInfo(Context& context, Arguments& args) {
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("info needs exactly one project file");
    context.openProject(files[0]);
    // The header as it stands in the file (the reader itself ignores the price tag after "$").
    std::string bytes;
    std::optional<std::string> header;
    if (readWholeFile(codepage::toPath(codepage::fromUtf8(files[0])), projectFile::kMaxProjectBytes, bytes) ==
        ReadStatus::Ok)
        header = projectHeaderOf(bytes);
    printJson(projectJson(context.app(), header));
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
