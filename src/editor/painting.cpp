#include "editor/painting.h"

#include <cmath>

#include "editor/canvas_distances.h"
#include "editor/drawing_text.h"
#include "editor/painting_scene.h"
#include "editor/photo_overlay.h"
#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/settings.h"
#include "model/working_outline.h"
#include "platform/image_codec.h"
#include "platform/surface.h"

namespace tenzora {

namespace painting {

std::int32_t Scene::fontHeight(double base) const {
    return printSize(base, request.referenceWidth, request.referenceHeight, doc.fontScale);
}

bool Scene::lengthsShown() const {
    return doc.view.showLengths && !frame.layoutDisplay && (purpose == 0 || purpose == 3 || purpose == 6);
}

} // namespace painting

namespace {

using painting::Scene;

constexpr Color kGridColor{151, 203, 255};
constexpr Color kScreenFill{233, 233, 233};
// Grid lines closer together than this many pixels are not drawn: zoomed far out they would
// only paint the view blue, one line per pixel, and take seconds to do it.
constexpr double kMinGridSpacingPixels = 2.0;
// Opacity of the photo laid over the drawing on the screen.
constexpr std::uint8_t kPhotoAlpha = 96;

// Step 2: the start screen shows only the logo, unscaled and centred.
void paintLogo(Surface& surface, const TZCeiling& doc) {
    if (!doc.showLogo || doc.resources.logo.empty()) return;
    const std::int32_t left =
        static_cast<std::int32_t>((std::int64_t{doc.view.viewWidth} - doc.resources.logo.width) / 2);
    const std::int32_t top =
        static_cast<std::int32_t>((std::int64_t{doc.view.viewHeight} - doc.resources.logo.height) / 2);
    surface.drawBitmap(doc.resources.logo,
                       Rect::fromSize(left, top, doc.resources.logo.width, doc.resources.logo.height));
}

// Step 3: grid lines at every multiple of the grid step across the visible part of the world.
void paintGrid(Scene& s) {
    const double step = s.doc.view.gridStep;
    const double cmPerPixel = std::fabs(static_cast<double>(s.doc.view.scaleX));
    if (!(step > 0) || !std::isfinite(step) || !(cmPerPixel > 0) || step / cmPerPixel < kMinGridSpacingPixels)
        return;
    double x0, y0, x1, y1;
    screenToWorld(s.doc, 0, 0, x0, y0, s.frame.mirrored);
    screenToWorld(s.doc, s.doc.view.viewWidth, s.doc.view.viewHeight, x1, y1, s.frame.mirrored);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    s.surface.setPen(solidPen(1, kGridColor));
    const std::int32_t w = s.doc.view.viewWidth, h = s.doc.view.viewHeight;
    // Counted in whole steps from the origin, so that the lines do not drift with rounding; the
    // spacing of at least two pixels bounds their number by the view's size.
    const double firstX = std::ceil(x0 / step), firstY = std::ceil(y0 / step);
    const double countX = std::min(std::floor(x1 / step) - firstX + 1, static_cast<double>(w) + 1);
    const double countY = std::min(std::floor(y1 / step) - firstY + 1, static_cast<double>(h) + 1);
    for (double k = 0; k < countX; ++k) {
        const std::int32_t px = s.transform.toOutput((firstX + k) * step, 0).x;
        s.surface.line({px, 0}, {px, h});
    }
    for (double k = 0; k < countY; ++k) {
        const std::int32_t py = s.transform.toOutput(0, (firstY + k) * step).y;
        s.surface.line({0, py}, {w, py});
    }
}

// Step 4: the working outline and the cutouts, built with the given mapping.
void buildOutline(const TZCeiling& doc, const OutputMapping& mapping, DrawingCache& cache) {
    const bool constructions = doc.showConstructions && doc.dops.count() > 0;
    buildWorkingOutline(doc, constructions, mapping, cache.outline);
    if (doc.showConstructions && doc.holes.count() > 0)
        buildCutouts(doc, cache.outline, mapping, cache.holes);
    else
        cache.holes.clear();
}

// The outline and cutouts in the display frame and on the output, and both as one area.
void placeOutline(Scene& s) {
    DrawingCache& c = s.cache;
    c.outlineShown.clear();
    c.outlineOutput.clear();
    for (const Vertex& v : c.outline.points()) {
        c.outlineShown.push_back(s.frame.toDisplay(v));
        c.outlineOutput.push_back(s.out(c.outlineShown.back()));
    }
    c.holesShown.clear();
    c.holesOutput.clear();
    for (const TZHolePoint& p : c.holes.allPoints()) {
        c.holesShown.push_back(s.frame.toDisplay(p.point));
        c.holesOutput.push_back(s.out(c.holesShown.back()));
    }
    c.areaPoints.assign(c.outlineOutput.begin(), c.outlineOutput.end());
    c.areaPoints.insert(c.areaPoints.end(), c.holesOutput.begin(), c.holesOutput.end());
    c.areaRings.clear();
    c.areaRings.push_back(static_cast<std::int32_t>(c.outlineOutput.size()));
    for (int i = 0; i < c.holes.cutoutCount(); ++i)
        c.areaRings.push_back(c.holes.pointCount(i));
}

// Step 5: a defined outline filled less its cutouts; an open one drawn as black polylines.
void paintOutlineArea(Scene& s) {
    DrawingCache& c = s.cache;
    if (s.doc.polygon.defined) {
        s.surface.setBrush(solidBrush(s.screen ? kScreenFill : kWhite));
        s.surface.fillPolygonWithHoles(c.areaPoints, c.areaRings, FillRule::Winding);
        return;
    }
    s.surface.setPen(solidPen(s.pen(1), kBlack));
    s.surface.polyline(c.outlineOutput);
    std::size_t start = 0;
    for (int i = 0; i < c.holes.cutoutCount(); ++i) {
        const std::size_t n = static_cast<std::size_t>(c.holes.pointCount(i));
        s.surface.polyline(std::span<const Point>(c.holesOutput).subspan(start, n));
        start += n;
    }
}

// Step 6: the photo laid over the drawing; on the screen with its frame and handles.
void paintPhoto(Scene& s, ImageCodec* photos) {
    const TZPicture* photo = s.doc.photos.checkedAt(s.doc.shownPhoto);
    if (photo == nullptr || !photo->placed) return;
    if (!ensurePhotoLoaded(*photo, photos)) return;
    const Point a = s.outWorld(photo->corner1);
    const Point b = s.outWorld(photo->corner2);
    const Rect area = Rect{a.x, a.y, b.x, b.y}.normalized();
    BitmapOptions options;
    options.mirrorX = a.x > b.x;
    options.mirrorY = a.y > b.y;
    options.alpha = s.request.direct ? 255 : kPhotoAlpha;
    s.surface.drawBitmap(*photo->image, area, options);
    if (!s.screen) return;
    s.surface.setPen(solidPen(1, kBlack));
    s.surface.setBrush(kNoBrush);
    s.surface.rectangle(area);
    s.surface.setBrush(solidBrush(kWhite));
    for (const Rect& handle : photoHandles(area))
        s.surface.rectangle(handle);
}

// Step 12: the canvas-edge distances.
void paintCanvasDistances(Scene& s) {
    if (!(s.doc.view.showCanvasDistances || s.purpose == kPurposeDimensions) || s.settings.dealerMode ||
        s.doc.seamLines.count() < 3)
        return;
    CanvasDistanceRequest r;
    r.outline = s.cache.outlineShown;
    r.theta = s.frame.theta;
    r.layoutDisplay = s.frame.layoutDisplay;
    r.mirrored = s.frame.mirrored;
    r.purpose = s.purpose;
    r.showNames = s.showNames;
    r.referenceWidth = s.request.referenceWidth;
    r.referenceHeight = s.request.referenceHeight;
    r.zeroHeight =
        zeroHeightOf(s.surface, boldLabelFont(s.fontHeight(s.screen ? 12 : 16), 0, kCharSetCyrillic));
    drawCanvasDistances(s.surface, s.doc, s.transform, r, s.cache.distances);
}

} // namespace

void regenerateDrawnOutline(TZCeiling& doc, const AppSettings& settings, DrawingCache& cache) {
    // The same build as a screen paint's own, so that the records hold the view's positions.
    const TransformMapping mapping(OutputTransform::screen(doc, isMirroredDisplay(doc, settings)));
    regenerateWorkingOutline(doc, doc.showConstructions && doc.dops.count() > 0, mapping, cache.outline);
    if (doc.showConstructions && doc.holes.count() > 0)
        regenerateCutouts(doc, cache.outline, mapping, cache.holes);
}

void prepareScreenPaint(TZCeiling& doc, const Surface& surface, const AppSettings& settings,
                        DrawingCache& cache) {
    const DeviceMetrics m = surface.metrics();
    doc.view.viewWidth = m.widthPx;
    doc.view.viewHeight = m.heightPx;
    // The start screen shows the logo alone and builds nothing.
    if (doc.editor.mode != kModeStart) regenerateDrawnOutline(doc, settings, cache);
}

PaintOutcome paintDrawing(Surface& surface, const TZCeiling& doc, const AppSettings& settings,
                          const PaintRequest& request, DrawingCache& cache, ImageCodec* photos) {
    PaintOutcome outcome;
    const DrawState saved = surface.state();
    if (!request.direct) {
        const Rect area =
            request.target ? *request.target : Rect{0, 0, doc.view.viewWidth, doc.view.viewHeight};
        surface.fillRect(area, kWhite);
    }
    if (doc.editor.mode == kModeStart) {
        paintLogo(surface, doc);
        outcome.logoOnly = true;
        surface.setState(saved);
        return outcome;
    }

    Scene s{surface, doc, settings, request, cache, 0, false, false, DisplayFrame{}, OutputTransform{}};
    s.purpose = request.purpose == kPurposeDimensionsWithoutNames ? kPurposeDimensions : request.purpose;
    s.showNames = doc.view.showPointNames && request.purpose != kPurposeDimensionsWithoutNames;
    s.screen = s.purpose == kPurposeScreen;

    const bool mirrored = isMirroredDisplay(doc, settings);
    s.transform = OutputTransform::screen(doc, mirrored);
    buildOutline(doc, TransformMapping(s.transform), cache);
    s.frame = displayFrame(doc, settings, cache.outline, &cache.holes);
    if (request.target) {
        s.transform = OutputTransform::target(drawingBox(doc, settings, s.purpose, cache.outline, s.frame),
                                              *request.target, mirrored);
        // Built again so that the computed points of the constructions are those of this output.
        buildOutline(doc, TransformMapping(s.transform), cache);
    }
    placeOutline(s);

    if (doc.view.showGrid && !request.direct && s.screen && !request.target) paintGrid(s);
    if (!cache.outline.empty()) paintOutlineArea(s);
    paintPhoto(s, photos);
    painting::paintSides(s);
    painting::paintDiagonals(s);
    painting::paintPoints(s);
    painting::paintFoldLines(s);
    painting::paintSeams(s);
    paintCanvasDistances(s);
    if (!request.direct) painting::paintRuler(s);

    outcome.transform = s.transform;
    surface.setState(saved);
    return outcome;
}

} // namespace tenzora
