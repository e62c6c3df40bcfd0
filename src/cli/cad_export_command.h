#pragma once
// export to ".dxf" and ".plt": the CAD files of the drawing and of the canvas pieces.

#include <string>

namespace tenzora {

namespace cli {

class Context;

// Writes OUT from the project FILE (the canvas pieces with `canvases`, and always for ".plt");
// one line on standard error tells what was written. Failures throw.
int runCadExport(Context& context, const std::string& project, const std::string& out, bool canvases);

} // namespace cli

} // namespace tenzora
