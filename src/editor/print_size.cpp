#include "editor/print_size.h"

#include <algorithm>
#include <cmath>

#include "model/view_transform.h"

namespace tenzora {

std::int32_t printSize(double base, std::int32_t width, std::int32_t height, double factor) {
    if (width == 0 && height == 0) return toPixel(base);
    double size = static_cast<double>(std::max(width, height)) * base / kReferenceOutputSide;
    if (factor != 0.0) size *= factor;
    return std::max<std::int32_t>(1, toPixel(size));
}

} // namespace tenzora
