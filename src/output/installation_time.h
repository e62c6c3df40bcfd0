#pragma once
// The corner angles of the finished ceiling and the installation time worked out from the
// perimeter and the corners: so many minutes per metre of profile and of fixing, per right inner
// corner, per other corner, plus a fixed time.

#include <string>
#include <vector>

namespace tenzora {

class TZCeiling;

namespace installation {
inline constexpr int kProfileMinutesPerMetre = 7; // "Багет на скобах или клее"
inline constexpr int kFixingMinutesPerMetre = 4;  // "Прикрепление"
inline constexpr int kRightCornerMinutes = 6;     // "Прямые вн. углы"
inline constexpr int kOtherCornerMinutes = 10;    // "Другие углы"
inline constexpr int kExtraMinutes = 60; // "Дополнительное время на установку"
// A corner within this many degrees above a multiple of 90° counts as a right inner corner.
inline constexpr double kRightCornerTolerance = 1.1;
// The corner angles are taken from the outline fitted into a square of this many units.
inline constexpr int kAngleTargetSize = 100;
} // namespace installation

// The corner angles (degrees, [0, 360]) at the points of the working outline, taken from the
// outline fitted into a 100 × 100 square; a point whose side to the next one is a record without
// a measured length is left out. Empty unless the outline is defined and lengths are shown.
// `points`, when given, receives the working-outline index of each angle's point.
std::vector<double> cornerAngleList(TZCeiling& doc, std::vector<int>* points = nullptr);

// A corner counted as a right inner corner: its size less whole quarter turns is at most 1.1°.
bool isRightCorner(double degrees);

struct InstallationTime {
    long long metres = 0;       // the perimeter in whole metres, rounded
    long long corners = 0;      // every corner of the list
    long long rightCorners = 0; // of them, the right inner corners
    long long minutes() const;
};

InstallationTime installationTime(double perimeterMetres, const std::vector<double>& angles);

// WORK: five lines, each ending with a line feed.
std::wstring installationBreakdown(const InstallationTime& time);
// WORKTIME: "5 час 05 мин" (minutes always two digits).
std::wstring installationDuration(const InstallationTime& time, bool english);

} // namespace tenzora
