#pragma once
// A surface that draws nothing: it keeps the drawing state, measures text like the device it was
// made for and reports that device's metrics. The printed sheet draws a page it only wants to
// learn from (which text overflows) into one of these.

#include "platform/surface.h"

namespace tenzora {

class ScratchSurface : public Surface {
  public:
    // The measurer must outlive the surface.
    ScratchSurface(const TextMeasurer& measurer, const DeviceMetrics& metrics)
        : measurer_(measurer), metrics_(metrics) {}

    void polyline(std::span<const Point>) override {}
    void polygon(std::span<const Point>, FillRule) override {}
    void ellipse(const Rect&) override {}
    void rectangle(const Rect&) override {}
    void fillRect(const Rect&, Color) override {}
    void textOut(Point, std::wstring_view) override {}
    DeviceMetrics metrics() const override { return metrics_; }
    const TextMeasurer& measurer() const override { return measurer_; }

  protected:
    void doFillPolygonWithHoles(std::span<const Point>, std::span<const std::int32_t>, FillRule) override {}
    void doDrawBitmap(const Bitmap&, const Rect&, BitmapOptions) override {}
    void doPushClipRect(const Rect&) override {}
    void doPushClipRegion(std::span<const Point>, std::span<const std::int32_t>, FillRule) override {}
    void doPopClip() override {}

  private:
    const TextMeasurer& measurer_;
    DeviceMetrics metrics_;
};

} // namespace tenzora
