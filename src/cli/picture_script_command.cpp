// picture-script: the script that puts a picture into a new Word document.

#include "cli/commands.h"
#include "output/report_script.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {

int runPictureScript(Context&, Arguments& args) {
    const bool save = args.flag("--save");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("picture-script needs the script to write");
    if (!writeScriptFile(codepage::toPath(codepage::fromUtf8(files[0])), buildPictureScript(save)))
        throw Failure("Не удалось записать файл " + files[0]);
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
