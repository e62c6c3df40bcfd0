#pragma once
// Figures of the working outline and the cutouts, for the measurements: the ceiling's net area,
// its perimeter and the box the outline is centred by.
//
// netArea()    = workingOutlineArea(doc, doc.showConstructions)
//                − (doc.showConstructions ? cutoutsArea(doc) : 0)
// perimeter()  = (workingOutlinePerimeter(doc, true) + cutoutsPerimeter(doc)) / 100
//                when doc.showConstructions (the other case is the sum of the measured sides)
// normalize()  centres on workingOutlineBounds(doc, doc.showConstructions).
// constructionFigures() gives all of them from one build of the outline.

#include <optional>

namespace tenzora {

class TZCeiling;
class WorkingOutline;
class TZHolesArray;

// m²: the shoelace area of the working outline (with the constructions when asked).
double workingOutlineArea(const TZCeiling& doc, bool withConstructions);
// cm: the length of the closed working outline.
double workingOutlinePerimeter(const TZCeiling& doc, bool withConstructions);
// m²: the sum of the shoelace areas of every cutout polygon (built against the outline with
// constructions, as the cutout rows refer to it).
double cutoutsArea(const TZCeiling& doc);
// cm: the sum of the lengths of every closed cutout outline.
double cutoutsPerimeter(const TZCeiling& doc);

struct OutlineBounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};
// The bounding box of the working outline; none when it has no point.
std::optional<OutlineBounds> workingOutlineBounds(const TZCeiling& doc, bool withConstructions);

struct ConstructionFigures {
    double outlineArea = 0;      // m², working outline
    double outlinePerimeter = 0; // cm, closed working outline
    double cutoutsArea = 0;      // m², all cutouts (0 when not asked for)
    double cutoutsPerimeter = 0; // cm, all closed cutout outlines (0 when not asked for)
    std::optional<OutlineBounds> bounds;
    // The net area: the outline less the cutouts.
    double netArea() const { return outlineArea - cutoutsArea; }
};
// Everything from one build. With `withConstructions` the constructions are applied and the
// cutouts counted; without, the measured vertices alone and no cutout.
ConstructionFigures constructionFigures(const TZCeiling& doc, bool withConstructions);

// The same figures of an outline and cutouts built by the caller.
double outlineArea(const WorkingOutline& outline);
double outlinePerimeter(const WorkingOutline& outline);
double cutoutsArea(const TZHolesArray& holes);
double cutoutsPerimeter(const TZHolesArray& holes);
std::optional<OutlineBounds> outlineBounds(const WorkingOutline& outline);

} // namespace tenzora
