#pragma once
// Which measurement is wrong. With more sides and diagonals than the outline needs, the
// measurements contradict each other when one of them is mistyped or misread; fitting the
// outline to all of them and then to all but one tells which record disagrees with the rest and
// what length would fit. A record that cannot close its triangle (longer than its two other
// sides together) is named even without any redundant record, because forming then silently
// flattens the room.
//
// The check reads the document and never changes it: forming, the error figures and the red
// marks stay exactly as they are.

#include <string>
#include <vector>

namespace tenzora {

class TZCeiling;

// One record that disagrees with the rest.
struct MeasurementSuspect {
    int record = -1;         // index into the document's diagonals
    std::wstring name;       // "AC"
    double measured = 0;     // the typed length, cm
    double fitted = 0;       // the length the other records give it, cm
    double errorWithout = 0; // the error of the best fit without this record, per cent
};

// A triangle of three measured records whose longest one is not shorter than the other two
// together: no real room has it.
struct ImpossibleTriangle {
    int record = -1;   // the longest record
    std::wstring name; // its name, "AC"
    double length = 0;
    std::wstring sideNames[2]; // the two other records
    double sideLengths[2] = {0, 0};
    std::wstring triangle; // the three corners, "ABC"
};

struct MeasurementCheck {
    bool checked = false;                       // the outline had records to check at all
    bool redundant = false;                     // at least one record more than the outline needs
    bool tooLarge = false;                      // too many points for the check
    double error = 0;                           // the error of the best fit to every record, per cent
    std::vector<MeasurementSuspect> suspects;   // the most suspect first
    std::vector<ImpossibleTriangle> impossible; // in record order
};

// Outlines with more points than this are not checked: the fit solves a dense system of two
// unknowns per point, and the time grows with the cube of that.
inline constexpr int kMaxCheckedPoints = 300;

inline constexpr wchar_t kCheckNeedsRedundancy[] = L"Для проверки нужна хотя бы одна лишняя диагональ";
inline constexpr wchar_t kCheckNothingToCheck[] = L"Нет измеренных сторон и диагоналей для проверки";
inline constexpr wchar_t kCheckTooLarge[] = L"Слишком много точек для проверки измерений";
inline constexpr wchar_t kCheckConsistent[] = L"Измерения согласованы, подозрительных нет";
inline constexpr wchar_t kCheckCaption[] = L"Проверка измерений";

// Checks the measured sides and diagonals of the outline as it stands (normally just formed).
MeasurementCheck checkMeasurements(const TZCeiling& doc);

// The result as the lines the window shows: impossible triangles first, then the suspects
// ("AC: измерено 412.0, по остальным 392.4 (−19.6)"), or the plain message when there is
// nothing to rank.
std::vector<std::wstring> measurementCheckLines(const MeasurementCheck& check);
// The record a line of measurementCheckLines stands for; −1 for a line of no record.
int measurementCheckLineRecord(const MeasurementCheck& check, int line);

} // namespace tenzora
