#include "model/shapes.h"

#include <cmath>
#include <vector>

#include "model/ceiling.h"
#include "model/forming.h"
#include "model/geometry.h"
#include "model/names.h"
#include "model/records.h"

namespace tenzora {

namespace {

constexpr double kRegularPolygonRadius = 150.0; // cm

void refuse(TZCeiling& doc) {
    doc.ui().information(kWrongPointMessage);
}

void addVertices(TZCeiling& doc, const std::vector<Vertex>& points) {
    for (const Vertex& p : points)
        doc.polygon.append(makeVertex(p.x, p.y));
}

// A record measured with the exact distance between its generated points.
void addRecord(TZCeiling& doc, int i, int j, bool side) {
    const int k = putDiagonal(doc, i, j, distance(doc.polygon.at(i), doc.polygon.at(j)));
    if (k >= 0 && side) doc.diagonals.at(k).isSide = 1;
}

void addRing(TZCeiling& doc) {
    const int n = doc.polygon.count();
    for (int i = 0; i < n; ++i)
        addRecord(doc, i, (i + 1) % n, true);
}

std::vector<Vertex> ellipsePoints(int count, double x, double y) {
    const int even = count % 2 == 0 ? count : count - 1;
    const double step = 2 * kPi / even;
    const double a = x / 2;
    const double b = y / 2;
    // −s/2, then s/2, 3s/2, … (M−1)s/2, then −(M−1)s/2 … −3s/2: once round, clockwise on screen.
    std::vector<double> angles{-step / 2};
    for (int k = 0; k < even / 2; ++k)
        angles.push_back((2 * k + 1) * step / 2);
    for (int k = even / 2 - 1; k >= 1; --k)
        angles.push_back(-(2 * k + 1) * step / 2);
    std::vector<Vertex> points;
    for (double t : angles)
        points.push_back(makeVertex(a * std::cos(t), b * std::sin(t)));
    return points;
}

// What both generators do once the outline and its records stand: the side panel shows the new
// project, the first record is selected, and the outline is normalised.
void showGenerated(TZCeiling& doc) {
    if (DocumentViews* views = doc.views()) views->clientSize(doc.view.viewWidth, doc.view.viewHeight);
    doc.editor.mode = kModeDiagonals;
    doc.polygon.defined = true;
}

} // namespace

bool generateShape(TZCeiling& doc, ShapeKind kind, int count, double x, double y, double width,
                   double height) {
    if (kind != ShapeKind::CornerCut && (count < 3 || count > kMaxGeneratedPoints)) {
        refuse(doc);
        return false;
    }
    if (!doc.newProject()) return false;
    switch (kind) {
    case ShapeKind::Rectangle:
        addVertices(doc, {makeVertex(0, 0), makeVertex(0, y), makeVertex(x, y), makeVertex(x, 0)});
        addRing(doc);
        addRecord(doc, 0, 2, false);
        break;
    case ShapeKind::CornerCut:
        addVertices(doc, {makeVertex(0, 0), makeVertex(0, y), makeVertex(x, y), makeVertex(x, height),
                          makeVertex(x - width, height), makeVertex(x - width, 0)});
        addRing(doc);
        for (int j : {2, 3, 4})
            addRecord(doc, 0, j, false);
        break;
    case ShapeKind::Ellipse:
        addVertices(doc, ellipsePoints(count, x, y));
        addRing(doc);
        // Diagonals from A to every other vertex; its two sides are already there.
        for (int j = 1; j < doc.polygon.count(); ++j)
            addRecord(doc, 0, j, false);
        break;
    }
    doc.outlineFormed = true;
    if (!isClockwise(pointsOf(doc.polygon))) mirror(doc.polygon);
    showGenerated(doc);
    doc.rebuildTree();
    doc.refreshFigures();
    doc.editor.currentDiagonal = doc.diagonals.empty() ? -1 : 0;
    normalize(doc);
    doc.editor.mode = kModePoints;
    doc.repaint();
    return true;
}

bool generateRegularPolygon(TZCeiling& doc, std::wstring_view lastCorner) {
    const int index = vertexIndexStrict(lastCorner);
    if (index < 0 || index >= kMaxGeneratedPoints) {
        refuse(doc);
        return false;
    }
    const int n = index + 1;
    if (n <= 2) return false;
    if (!doc.newProject()) return false;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        doc.polygon.append(
            makeVertex(kRegularPolygonRadius * std::cos(t), kRegularPolygonRadius * std::sin(t)));
    }
    showGenerated(doc);
    // No undo snapshot: the reset has just emptied the history, and the ring without its sides
    // is no state to go back to.
    putSides(doc);
    doc.rebuildTree();
    doc.refreshFigures();
    doc.editor.currentDiagonal = doc.diagonals.empty() ? -1 : 0;
    markAllAsSides(doc);
    normalize(doc);
    doc.editor.mode = kModePoints;
    doc.repaint();
    return true;
}

} // namespace tenzora
