#pragma once
// DXF files read back by an independent reader (ezdxf, through /usr/bin/python3), and HPGL read
// back by a small parser, for the tests of the CAD export.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/polygon.h"

namespace tenzora {

struct DxfPolyline {
    std::string layer;
    bool closed = false;
    std::vector<Vertex> points;
};

struct DxfText {
    std::string layer;
    std::string text;
};

struct DxfSummary {
    int insunits = 0;
    int auditErrors = 0;
    std::vector<std::string> layers;
    std::vector<DxfPolyline> polylines;
    std::vector<DxfText> texts;
    int otherEntities = 0;
    std::vector<const DxfPolyline*> on(const std::string& layer) const;
    bool hasLayer(const std::string& layer) const;
    bool hasText(const std::string& text) const;
};

// None (with the reason in `why`) when Python or ezdxf is not there or the file is not read.
// The reader script lies beside this file in the source tree.
std::optional<DxfSummary> readDxf(const std::filesystem::path& path, std::string& why,
                                  const std::string& script);
#ifdef TENZORA_SOURCE_DIR
inline std::optional<DxfSummary> readDxf(const std::filesystem::path& path, std::string& why) {
    return readDxf(path, why, std::string(TENZORA_SOURCE_DIR) + "/tests/support/dxf_summary.py");
}
#endif

// The pen-down polylines of an HPGL text, each with the pen-up point it starts from; `ok` is
// false when the text has anything but IN, SP, PU and PD instructions or a malformed number.
struct HpglReading {
    bool ok = true;
    bool initialised = false; // starts with IN;
    std::vector<std::vector<std::pair<long long, long long>>> polylines;
};
HpglReading readHpgl(const std::string& text);

// The shoelace area of a ring (absolute).
double ringArea(const std::vector<Vertex>& ring);

} // namespace tenzora
