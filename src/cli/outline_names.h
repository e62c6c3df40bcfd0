#pragma once
// Point names typed on the command line for constructions and cutouts: names of the working
// outline's points as the drawing labels them.

#include <string>

namespace tenzora {

class TZCeiling;

namespace cli {

// The index of a working-outline point (outline with constructions) named `name`; a usage error
// naming the option when there is no such point.
int workingPointIndex(TZCeiling& doc, const std::string& name, const std::string& option);

// The index of a measured vertex named `name`; a usage error when there is none.
int measuredVertexIndex(const TZCeiling& doc, const std::string& name, const std::string& option);

} // namespace cli

} // namespace tenzora
