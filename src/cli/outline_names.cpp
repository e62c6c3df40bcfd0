#include "cli/outline_names.h"

#include "cli/cli_context.h"
#include "model/ceiling.h"
#include "model/names.h"
#include "model/working_outline.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

int indexIn(const std::string& name, int count, const std::string& option, const char* what) {
    const std::wstring keyed = applyNameKeys(codepage::fromUtf8(name));
    const int index = keyed.empty() ? -1 : vertexIndexStrict(keyed);
    if (index < 0 || index >= count) {
        const std::string last = count > 0 ? utf8(vertexName(count - 1)) : std::string("none");
        throw UsageError(option + ": no point \"" + name + "\" in the " + what + " (A … " + last + ")");
    }
    return index;
}

} // namespace

int workingPointIndex(TZCeiling& doc, const std::string& name, const std::string& option) {
    WorkingOutline outline;
    const int count = buildWorkingOutline(doc, true, outline);
    return indexIn(name, count, option, "working outline");
}

int measuredVertexIndex(const TZCeiling& doc, const std::string& name, const std::string& option) {
    return indexIn(name, doc.polygon.count(), option, "outline");
}

} // namespace cli

} // namespace tenzora
