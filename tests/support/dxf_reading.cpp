#include "support/dxf_reading.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

namespace tenzora {

namespace {

const char kPython[] = "/usr/bin/python3";

std::string quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out.push_back(c);
    }
    return out + "'";
}

} // namespace

std::vector<const DxfPolyline*> DxfSummary::on(const std::string& layer) const {
    std::vector<const DxfPolyline*> found;
    for (const DxfPolyline& p : polylines)
        if (p.layer == layer) found.push_back(&p);
    return found;
}

bool DxfSummary::hasLayer(const std::string& layer) const {
    for (const std::string& l : layers)
        if (l == layer) return true;
    return false;
}

bool DxfSummary::hasText(const std::string& text) const {
    for (const DxfText& t : texts)
        if (t.text == text) return true;
    return false;
}

std::optional<DxfSummary> readDxf(const std::filesystem::path& path, std::string& why,
                                  const std::string& script) {
    if (!std::filesystem::exists(kPython)) {
        why = "no /usr/bin/python3";
        return std::nullopt;
    }
    const std::string command =
        std::string(kPython) + " " + quoted(script) + " " + quoted(path.string()) + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        why = "python could not be started";
        return std::nullopt;
    }
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe.release());
    if (status != 0) {
        why = "the reader failed: " + output.substr(0, 2000);
        return std::nullopt;
    }
    DxfSummary summary;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        if (kind == "INSUNITS") {
            in >> summary.insunits;
        } else if (kind == "AUDIT") {
            in >> summary.auditErrors;
        } else if (kind == "LAYER") {
            std::string name;
            in >> name;
            summary.layers.push_back(name);
        } else if (kind == "POLY") {
            DxfPolyline p;
            int closed = 0, count = 0;
            in >> p.layer >> closed >> count;
            p.closed = closed != 0;
            for (int i = 0; i < count; ++i) {
                double x = 0, y = 0;
                in >> x >> y;
                p.points.push_back(makeVertex(x, y));
            }
            summary.polylines.push_back(std::move(p));
        } else if (kind == "TEXT") {
            DxfText t;
            in >> t.layer;
            std::getline(in >> std::ws, t.text);
            summary.texts.push_back(std::move(t));
        } else if (kind == "OTHER") {
            ++summary.otherEntities;
        }
    }
    return summary;
}

HpglReading readHpgl(const std::string& text) {
    HpglReading r;
    std::pair<long long, long long> pen{0, 0};
    std::size_t at = 0;
    bool first = true;
    while (at < text.size()) {
        if (text[at] == '\n' || text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = text.find(';', at);
        if (end == std::string::npos || end < at + 2) {
            r.ok = false;
            return r;
        }
        const std::string op = text.substr(at, 2);
        const std::string args = text.substr(at + 2, end - at - 2);
        at = end + 1;
        if (first) r.initialised = op == "IN";
        first = false;
        std::vector<long long> numbers;
        std::istringstream in(args);
        std::string field;
        while (std::getline(in, field, ',')) {
            std::size_t used = 0;
            try {
                numbers.push_back(std::stoll(field, &used));
            } catch (...) {
                r.ok = false;
                return r;
            }
            if (used != field.size()) r.ok = false;
        }
        if (op == "IN" || op == "SP") continue;
        if ((op != "PU" && op != "PD") || numbers.size() % 2 != 0) {
            r.ok = false;
            return r;
        }
        if (op == "PU") {
            if (!numbers.empty()) pen = {numbers[numbers.size() - 2], numbers.back()};
            continue;
        }
        std::vector<std::pair<long long, long long>> line{pen};
        for (std::size_t i = 0; i + 1 < numbers.size(); i += 2)
            line.emplace_back(numbers[i], numbers[i + 1]);
        pen = line.back();
        r.polylines.push_back(std::move(line));
    }
    return r;
}

double ringArea(const std::vector<Vertex>& ring) {
    double twice = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const Vertex& a = ring[i];
        const Vertex& b = ring[(i + 1) % ring.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::fabs(twice) / 2;
}

} // namespace tenzora
