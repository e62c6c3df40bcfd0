#pragma once
// Forming the project: the real outline computed from the measured sides and diagonals. The
// triangle phase builds it triangle by triangle from several bases; the refinement phase pulls
// it towards the measured lengths; candidates are kept by their crossings, error and area.
// Afterwards the outline is turned clockwise and normalised (rotated, centred, on the grid).

namespace tenzora {

class TZCeiling;

// How an outline compares with the best one kept so far.
struct OutlineScore {
    int crossings = 0;
    double error = 0.0; // errorFigure with the sides included
    double area = 0.0;
};

// The outline as it stands, scored over all vertices (whatever `placedOnly` says).
OutlineScore scoreOutline(TZCeiling& doc);
// Refinement phase: fewer crossings; with as many, an error smaller by the margin, or about the
// same error and a strictly larger area.
bool betterByRuleA(const OutlineScore& candidate, const OutlineScore& best);
// Triangle phase: fewer crossings; with as many, a strictly smaller error, or an error larger by
// at most the margin and a strictly larger area.
bool betterByRuleB(const OutlineScore& candidate, const OutlineScore& best);

// Forms the outline from the measurements, starting the refinement at record `startDiagonal`
// (−1: the first record), by the document's `constructionMethod`. True when the triangle phase
// placed every vertex from measurements; false when forming could not start, did not place every
// vertex, or ran the refinement phase alone. Takes an undo snapshot when it starts.
bool formProject(TZCeiling& doc, int startDiagonal);

// Rotates the outline so that its first record points straight up on screen (not in the
// cutting layout mode), centres it on the origin with the first record's start on a grid node,
// and resets the pan.
void normalize(TZCeiling& doc);

} // namespace tenzora
