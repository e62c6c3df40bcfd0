#include "output/installation_time.h"

#include <algorithm>
#include <cmath>

#include "editor/world_to_output.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/records.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

constexpr double kFullTurn = 360.0;
constexpr double kQuarterTurn = 90.0;
constexpr int kMinutesPerHour = 60;

double intoTurn(double degrees) {
    if (!std::isfinite(degrees)) return 0.0;
    double d = std::fmod(degrees, kFullTurn);
    if (d < 0) d += kFullTurn;
    return d;
}

// The outline's points as a picture of the drawing places them in a square: its box widened by
// 5 % on each side and fitted into the square, every point on a whole unit as on a device.
std::vector<ScreenPoint> fittedPositions(std::span<const Vertex> points) {
    const Rect square{0, 0, installation::kAngleTargetSize, installation::kAngleTargetSize};
    const OutputTransform transform = OutputTransform::target(widened(boxOf(points)), square, false);
    std::vector<ScreenPoint> result;
    result.reserve(points.size());
    for (const Vertex& v : points) {
        const Point p = transform.toOutput(v);
        result.push_back({p.x, p.y});
    }
    return result;
}

double degreesTowards(const ScreenPoint& from, const ScreenPoint& to) {
    const double radians = direction(static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y);
    return intoTurn(radians * 180.0 / kPi);
}

// The side from point i to its successor is a record that has not been measured.
bool unmeasuredSide(const TZCeiling& doc, const WorkingOutline& outline, int i, int next) {
    const int a = outline.entry(i).measuredVertex;
    const int b = outline.entry(next).measuredVertex;
    if (a < 0 || b < 0) return false;
    const int record = findDiagonal(doc, a, b);
    return record >= 0 && !(doc.diagonals.at(record).length > 0);
}

} // namespace

std::vector<double> cornerAngleList(TZCeiling& doc, std::vector<int>* points) {
    std::vector<double> angles;
    if (points) points->clear();
    if (!doc.polygon.defined || !doc.view.showLengths) return angles;
    WorkingOutline outline;
    buildWorkingOutline(doc, doc.showConstructions && doc.dops.count() > 0, outline);
    const int n = outline.count();
    if (n == 0) return angles;
    const std::vector<ScreenPoint> at = fittedPositions(outline.points());
    angles.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int next = (i + 1) % n;
        const int previous = (i + n - 1) % n;
        if (unmeasuredSide(doc, outline, i, next)) continue;
        const auto p = static_cast<std::size_t>(i);
        if (points) points->push_back(i);
        angles.push_back(intoTurn(degreesTowards(at[p], at[static_cast<std::size_t>(previous)]) -
                                  degreesTowards(at[p], at[static_cast<std::size_t>(next)])));
    }
    return angles;
}

bool isRightCorner(double degrees) {
    const double a = std::fabs(degrees);
    if (!std::isfinite(a)) return false;
    return a - kQuarterTurn * std::trunc(a / kQuarterTurn) <= installation::kRightCornerTolerance;
}

long long InstallationTime::minutes() const {
    using namespace installation;
    return kProfileMinutesPerMetre * metres + kFixingMinutesPerMetre * metres +
           kRightCornerMinutes * rightCorners + kOtherCornerMinutes * (corners - rightCorners) +
           kExtraMinutes;
}

InstallationTime installationTime(double perimeterMetres, const std::vector<double>& angles) {
    // A perimeter too large for whole metres (a damaged file) counts as none.
    constexpr double kMaxMetres = 1e12;
    InstallationTime t;
    const double rounded = std::trunc(perimeterMetres + 0.5);
    t.metres =
        std::isfinite(rounded) && std::fabs(rounded) < kMaxMetres ? static_cast<long long>(rounded) : 0;
    t.corners = static_cast<long long>(angles.size());
    t.rightCorners = std::count_if(angles.begin(), angles.end(), isRightCorner);
    return t;
}

std::wstring installationBreakdown(const InstallationTime& time) {
    using namespace installation;
    const std::wstring metres = formatNumber(static_cast<double>(time.metres), 2);
    const long long others = time.corners - time.rightCorners;
    return L"Багет на скобах или клее: " + metres + L"м х " + formatInteger(kProfileMinutesPerMetre) +
           L" мин = " + formatInteger(kProfileMinutesPerMetre * time.metres) + L" мин\n" + L"Прикрепление: " +
           metres + L"м х " + formatInteger(kFixingMinutesPerMetre) + L" мин = " +
           formatInteger(kFixingMinutesPerMetre * time.metres) + L" мин\n" + L"Прямые вн. углы: " +
           formatInteger(time.rightCorners) + L" х " + formatInteger(kRightCornerMinutes) + L" мин = " +
           formatInteger(kRightCornerMinutes * time.rightCorners) + L" мин\n" +
           // The per-corner time named here is the one the total counts.
           L"Другие углы: " + formatInteger(others) + L" х " + formatInteger(kOtherCornerMinutes) +
           L" мин = " + formatInteger(kOtherCornerMinutes * others) + L" мин\n" +
           L"Дополнительное время на установку: " + formatInteger(kExtraMinutes) + L" мин\n";
}

std::wstring installationDuration(const InstallationTime& time, bool english) {
    const long long total = time.minutes();
    const long long hours = total / kMinutesPerHour;
    const long long minutes = total - kMinutesPerHour * hours;
    return formatInteger(hours) + (english ? L" hour " : L" час ") + (minutes < 10 ? L"0" : L"") +
           formatInteger(minutes) + (english ? L" min" : L" мин");
}

} // namespace tenzora
