#include "cli/project_json.h"

#include "app/tenzora_app.h"
#include "cli/cli_context.h"
#include "cutting/canvas_pieces.h"
#include "model/cutouts.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/working_outline.h"
#include "storage/codepage.h"
#include "storage/project_image.h"

namespace tenzora {

namespace cli {
namespace {

using nlohmann::json;

json point(const Vertex& v) {
    return json::array({v.x, v.y});
}

json points(const TZStaticArray<Vertex>& list) {
    json out = json::array();
    for (const Vertex& v : list)
        out.push_back(point(v));
    return out;
}

// The header as a whole and its price tag (the text after the first "$").
json fileJson(TZCeiling& doc, const std::optional<std::string>& fileHeader) {
    const std::string signature = fileHeader ? *fileHeader : projectImage::kSignature + doc.priceTag;
    const std::size_t dollar = signature.find('$');
    const std::string priceTag = dollar == std::string::npos ? std::string() : signature.substr(dollar + 1);
    return {{"signature", utf8(codepage::fromCp1251(signature))},
            {"priceTag", utf8(codepage::fromCp1251(priceTag))},
            {"currentFormat", doc.currentFormat}};
}

json orderJson(const TZCeiling& doc) {
    return {{"number", utf8(doc.orderNumber)},
            {"date", utf8(doc.orderDate)},
            {"name", utf8(doc.orderName)},
            {"client", utf8(doc.client)},
            {"note", utf8(doc.note)},
            {"city", doc.city},
            {"ceilingType", utf8(doc.ceilingType)},
            {"harpoon", doc.harpoon},
            {"sentToWork", doc.sentToWork}};
}

json verticesJson(const TZCeiling& doc) {
    json out = json::array();
    for (int i = 0; i < doc.polygon.count(); ++i) {
        const Vertex& v = doc.polygon.at(i);
        out.push_back({{"name", utf8(vertexName(i))},
                       {"x", v.x},
                       {"y", v.y},
                       {"rightAngle", v.rightAngle != 0},
                       {"sidePreference", v.sidePreference}});
    }
    return out;
}

json recordsJson(const TZCeiling& doc) {
    json out = json::array();
    for (const Diagonal& d : doc.diagonals) {
        json r = {{"name", utf8(pairName(d.a, d.b))},
                  {"a", d.a},
                  {"b", d.b},
                  {"length", d.length},
                  {"isSide", d.isSide != 0}};
        r["actual"] = actualLength(doc, d);
        out.push_back(r);
    }
    return out;
}

json figuresJson(const TZCeiling& doc) {
    return {{"area", outlineArea(doc)},
            {"netArea", netArea(doc)},
            {"perimeter", perimeter(doc)},
            {"error", errorFigure(doc, false)},
            {"errorWithSides", errorFigure(doc, true)},
            {"displayedError", displayedError(doc)},
            {"crossings", crossingCount(doc)}};
}

json materialJson(const Material& m) {
    return {{"id", m.id},
            {"groupId", m.groupId},
            {"isGroup", m.isGroup != 0},
            {"name", utf8(codepage::fromCp1251(m.name))},
            {"tensionCoef", m.tensionCoef},
            {"offcutPriceCoef", m.offcutPriceCoef},
            {"width", m.width}};
}

json layoutJson(TZCeiling& doc) {
    json canvases = json::array();
    for (const CanvasPiece& piece : canvasPieces(doc))
        canvases.push_back(utf8(piece.text));
    json addPoints = json::array();
    for (const TZAddPoint& p : doc.addPoints)
        addPoints.push_back(point(p.point));
    json lengths = json::array();
    for (double len : doc.canvasLengths)
        lengths.push_back(len);
    return {{"seamFrom", doc.seamFrom},
            {"seamTo", doc.seamTo},
            {"seamPerpendicular", doc.seamPerpendicular},
            {"seamOffset", doc.seamOffset},
            {"twoDiagonals", doc.twoDiagonals},
            {"seamFrom2", doc.seamFrom2},
            {"seamTo2", doc.seamTo2},
            {"seamOffset2", doc.seamOffset2},
            {"seamWidth", doc.seamWidth},
            {"tensionY", doc.tensionY},
            {"seamLineStart", point(doc.seamLineStart)},
            {"seamLineEnd", point(doc.seamLineEnd)},
            {"seamLines", points(doc.seamLines)},
            {"addPoints", addPoints},
            {"canvasLengths", lengths},
            {"canvasLengthTotal", doc.canvasLengthTotal},
            {"materialQuantity", doc.materialQuantity},
            {"offcuts", doc.offcuts},
            {"canvases", canvases}};
}

json holePoints(std::span<const TZHolePoint> points) {
    json out = json::array();
    for (const TZHolePoint& p : points)
        out.push_back(point(p.point));
    return out;
}

json outlinePoints(const WorkingOutline& outline) {
    json out = json::array();
    for (const Vertex& v : outline.points())
        out.push_back(point(v));
    return out;
}

// The records as the working outline computed them (its computed fields are those of the outline
// with constructions).
json constructionsJson(const WorkingOutline& withConstructions) {
    json out = json::array();
    for (const TZDop& d : withConstructions.constructions()) {
        out.push_back({{"kind", d.kind},
                       {"vertex1", d.vertex1},
                       {"vertex2", d.vertex2},
                       {"distance1", d.distance1},
                       {"distance2", d.distance2},
                       {"depth", d.depth},
                       {"depth2", d.depth2},
                       {"width", d.width},
                       {"arcLength", d.arcLength},
                       {"extraPoints", d.extraPoints},
                       {"firstPointIndex", d.firstPointIndex},
                       {"lastPointIndex", d.lastPointIndex}});
    }
    return out;
}

// The computed polygons go with the records: cutout i has the points of polygon i. The rows are
// shown as the build computed them (a three-corner rectangle's third row describes its corner).
json cutoutsJson(const TZCeiling& doc, const TZHolesArray& polygons) {
    json out = json::array();
    for (int i = 0; i < doc.holes.count(); ++i) {
        const TZHole& h = doc.holes.at(i);
        json rows = json::array();
        for (int k = 0; k < h.rows.count(); ++k) {
            const TZHoleDiagonal& r = h.rows.at(k);
            double d1 = r.distance1, d2 = r.distance2;
            for (const TZRowRewrite& w : polygons.rowRewrites())
                if (w.hole == i && w.row == k) {
                    d1 = w.distance1;
                    d2 = w.distance2;
                }
            rows.push_back(
                {{"vertex1", r.vertex1}, {"vertex2", r.vertex2}, {"distance1", d1}, {"distance2", d2}});
        }
        out.push_back({{"type", h.type},
                       {"mode", h.mode},
                       {"size1", h.size1},
                       {"pointCount", h.pointCount},
                       {"angleFrom", h.angleFrom},
                       {"angleTo", h.angleTo},
                       {"rows", rows},
                       {"points", holePoints(polygons.cutout(i))}});
    }
    return out;
}

} // namespace

json projectJson(CTenzoraApp& app, const std::optional<std::string>& fileHeader) {
    TZCeiling& doc = app.document();
    // The cutout rows refer to the working outline with constructions, which also computes the
    // constructions' first and last point indexes; the outline shown is the drawing's.
    WorkingOutline withConstructions;
    TZHolesArray cutouts;
    buildWorkingOutline(doc, true, withConstructions);
    buildCutouts(doc, withConstructions, cutouts);
    WorkingOutline shown;
    if (!doc.showConstructions) buildWorkingOutline(doc, false, shown);
    json workingOutline = outlinePoints(doc.showConstructions ? withConstructions : shown);
    json extraWorks = json::array();
    for (const TZDopRabObject& w : doc.extraWorks)
        extraWorks.push_back({{"name", utf8(w.name)}, {"quantity", w.quantity}});
    json photos = json::array();
    for (const TZPicture& p : doc.photos)
        photos.push_back({{"path", utf8(p.path)},
                          {"left", p.rect.left},
                          {"top", p.rect.top},
                          {"right", p.rect.right},
                          {"bottom", p.rect.bottom}});
    return {{"file", fileJson(doc, fileHeader)},
            {"title", utf8(doc.title())},
            {"order", orderJson(doc)},
            {"mode", doc.editor.mode},
            {"defined", doc.polygon.defined},
            {"outlineFormed", doc.outlineFormed},
            {"baseSide", doc.baseSide},
            {"showConstructions", doc.showConstructions},
            {"gridStep", doc.view.gridStep},
            {"scaleX", doc.view.scaleX},
            {"scaleY", doc.view.scaleY},
            {"panX", doc.view.panX},
            {"panY", doc.view.panY},
            {"vertices", verticesJson(doc)},
            {"records", recordsJson(doc)},
            {"figures", figuresJson(doc)},
            {"material", materialJson(doc.material)},
            {"layout", layoutJson(doc)},
            {"constructions", constructionsJson(withConstructions)},
            {"cutouts", cutoutsJson(doc, cutouts)},
            {"workingOutline", workingOutline},
            {"extraWorks", extraWorks},
            {"photos", photos},
            {"shownPhoto", doc.shownPhoto}};
}

} // namespace cli

} // namespace tenzora
