#pragma once
// The commands' use of LibreOffice: the Word picture of "export" made into a document.

#include <string>

#include "cli/cli_context.h"

namespace tenzora {

struct ExportResult;

namespace cli {

// The picture of a Word export written as a document holding it at `out` (".doc", ".docx",
// ".odt", ".rtf") through LibreOffice; the picture and its script are removed. Throws Failure
// with the reason when the document could not be made.
void writePictureDocumentFor(Context& context, const std::string& out, const ExportResult& exported);

} // namespace cli

} // namespace tenzora
