#pragma once
// A document painted on a recording surface, and ways to look at what was drawn.

#include <optional>
#include <string>
#include <vector>

#include "editor/painting.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "output/recording_surface.h"
#include "support/fakes.h"

namespace tenzora {

struct PaintFixture {
    TestDocument t;
    AppSettings settings;
    DrawingCache cache;
    RecordingSurface surface{deviceMetricsFor(800, 600)};

    PaintFixture() {
        t->editor.mode = kModePoints;
        t->view.viewWidth = 800;
        t->view.viewHeight = 600;
    }

    // A 400 × 300 rectangle with its four sides (AB along +x) and, optionally, lengths.
    void rectangle(bool measured = true) {
        setOutline(*t, {{-200, -150}, {200, -150}, {200, 150}, {-200, 150}});
        if (!measured) return;
        for (int k = 0; k < 4; ++k)
            t->diagonals.at(k).length = k % 2 == 0 ? 400 : 300;
    }

    PaintOutcome paintScreen() {
        surface.clear();
        PaintRequest r;
        prepareScreenPaint(*t, surface, settings, cache);
        return paintDrawing(surface, *t, settings, r, cache);
    }
    // A direct paint of the purpose into a target rectangle, pens and fonts scaled for `ref`.
    PaintOutcome paintInto(int purpose, Rect target = {0, 0, 800, 600}, std::int32_t refW = 0,
                           std::int32_t refH = 0) {
        surface.clear();
        PaintRequest r;
        r.purpose = purpose;
        r.direct = true;
        r.target = target;
        r.referenceWidth = refW;
        r.referenceHeight = refH;
        return paintDrawing(surface, *t, settings, r, cache);
    }

    // Lines (two-point polylines) drawn with a pen of this colour.
    std::vector<const SurfaceRecord*> linesColoured(Color c) const {
        std::vector<const SurfaceRecord*> out;
        for (const SurfaceRecord* r : surface.ofKind(RecordKind::Polyline))
            if (r->state.pen.color == c) out.push_back(r);
        return out;
    }
    std::vector<const SurfaceRecord*> linesStyled(PenStyle style) const {
        std::vector<const SurfaceRecord*> out;
        for (const SurfaceRecord* r : surface.ofKind(RecordKind::Polyline))
            if (r->state.pen.style == style) out.push_back(r);
        return out;
    }
    // The polyline record joining the two output points (either way round), if any.
    const SurfaceRecord* lineBetween(Point a, Point b) const {
        for (const SurfaceRecord* r : surface.ofKind(RecordKind::Polyline)) {
            const auto p = surface.points(*r);
            if (p.size() == 2 && ((p[0] == a && p[1] == b) || (p[0] == b && p[1] == a))) return r;
        }
        return nullptr;
    }
    const SurfaceRecord* text(std::wstring_view s) const {
        const auto found = surface.textsEqual(s);
        return found.empty() ? nullptr : found.front();
    }
};

} // namespace tenzora
