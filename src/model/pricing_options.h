#pragma once
// The settings the cost estimate depends on, passed to whatever prices the project (the estimate
// itself, and saving, which writes the job cost into the file header).

namespace tenzora {

struct PricingOptions {
    // "В отчете материал с учетом коэффициента натяжения": bill the material quantity as it is
    // instead of the net area plus the material beyond it at the offcut price coefficient.
    // The default is the program's own default setting.
    bool materialWithTension = true;
};

} // namespace tenzora
