#pragma once
// Where world points (centimetres, y downwards) land on the output: on the screen by the view's
// zoom and pan, or in a target rectangle (the printed sheet's FIGURE, the picture export) into
// which the drawing's bounding box, widened by 5 % on each side, is fitted. Also the angle at
// which a text along a segment is written.

#include <cstdint>
#include <optional>

#include "model/polygon.h"
#include "model/working_outline.h"
#include "platform/surface_types.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;
struct DisplayFrame;

// The drawing's box is widened by this share of its width and height on each side.
inline constexpr double kBoxMargin = 0.05;

struct OutputBox {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

// The box of the points (all zero for none).
OutputBox boxOf(std::span<const Vertex> points);
// The box widened by kBoxMargin of its size on each side.
OutputBox widened(const OutputBox& box);

struct ExactPoint {
    double x = 0, y = 0;
};

class OutputTransform {
  public:
    OutputTransform() = default;
    // The drawing view: x = trunc(x / scaleX) + W/2 − panX, y = trunc(y / scaleY) + H/2 + panY
    // (mirrored: x = W/2 − trunc(x / scaleX) − panX).
    static OutputTransform screen(const TZCeiling& doc, bool mirrored);
    // The box (already widened) fitted into the rectangle: when the box is relatively taller
    // than the rectangle its height fills the rectangle and the drawing is centred across,
    // otherwise its width fills it. x = s·(x − minX) (mirrored s·(maxX − x)), y = s·(y − minY),
    // plus the rectangle's corner with `addOrigin`. A box without extent maps everything to
    // the corner.
    static OutputTransform target(const OutputBox& box, const Rect& rect, bool mirrored,
                                  bool addOrigin = true);

    ExactPoint exact(double x, double y) const;
    Point toOutput(double x, double y) const;
    Point toOutput(const Vertex& v) const { return toOutput(v.x, v.y); }

    bool isTarget() const { return target_; }
    bool mirrored() const { return mirrored_; }
    // Output pixels per centimetre along x (0 for a box without extent).
    double scale() const { return scaleX_; }
    // Into a target: the box's height decides the scale.
    bool fitsHeight() const { return fitsHeight_; }
    const OutputBox& box() const { return box_; }

  private:
    bool target_ = false;
    bool mirrored_ = false;
    bool fitsHeight_ = false;
    double scaleX_ = 1, scaleY_ = 1;          // pixels per cm
    float cmPerPixelX_ = 1, cmPerPixelY_ = 1; // the screen's zoom, divided by as the view does
    double originX_ = 0, originY_ = 0;
    std::int32_t originPxX_ = 0, originPxY_ = 0;
    OutputBox box_;
};

// A transform as the mapping the working outline and the cutouts are built with.
class TransformMapping : public OutputMapping {
  public:
    explicit TransformMapping(const OutputTransform& transform) : transform_(transform) {}
    ScreenPoint toOutput(double x, double y) const override {
        const Point p = transform_.toOutput(x, y);
        return {p.x, p.y};
    }

  private:
    OutputTransform transform_;
};

// The world box a paint of this purpose fits into a target rectangle, in the display frame,
// widened by 5 % on each side; all zero when the outline has no measured vertex. It is:
//  - in the turned layout display (not for purpose 5): the box of the seam lines;
//  - for purpose 5 with seam lines and a chosen seam side: the first measured vertex and the
//    seam lines;
//  - otherwise the box of the working outline.
OutputBox drawingBox(const TZCeiling& doc, const AppSettings& settings, int purpose,
                     const WorkingOutline& outline, const DisplayFrame& frame);

// World to output in the terms of the drawing rules: on the screen without a target, else into
// the target with the given (widened) box.
Point worldToOutput(double x, double y, const OutputBox* box, bool addOrigin, const TZCeiling& doc,
                    const Rect* target, bool mirrored);
ExactPoint worldToOutputExact(double x, double y, const OutputBox* box, bool addOrigin, const TZCeiling& doc,
                              const Rect* target, bool mirrored);

// The angle (radians, counter-clockwise on the output) at which a text along P→Q is written so
// that it never reads upside down; mirrored for the mirrored layout display.
double textAngle(const Vertex& p, const Vertex& q, bool mirrored);
// A text angle as a font escapement: tenths of a degree, truncated, brought into [0, 3600).
std::int32_t escapementTruncated(double radians);
// The same rounded to the nearest tenth.
std::int32_t escapementRounded(double radians);

} // namespace tenzora
