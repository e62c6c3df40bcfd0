#pragma once
// The variables of the printed sheet and of the office reports: 41 keywords with their ids, in
// the order a report replaces them (a keyword that contains another comes first, so the longer
// one is replaced whole).

#include <array>
#include <string_view>

namespace tenzora {

struct ReportField {
    int id;
    std::string_view keyword;
};

inline constexpr int kReportFieldCount = 41;

const std::array<ReportField, kReportFieldCount>& reportFields();

// The id of a keyword compared without regard to case; 0 when there is none.
int reportFieldId(std::wstring_view keyword);
// The keyword of an id; empty when there is none.
std::string_view reportFieldKeyword(int id);

// The ids of the fields, named by their keywords.
namespace field {
enum : int {
    kNumber = 1,
    kDate = 2,
    kName = 3,
    kColor = 4,
    kLastletter = 5,
    kSides = 6,
    kDiagonals = 7,
    kRaskroyline = 8,
    kSquare = 9,
    kObrezki = 10,
    kCountcorner = 11,
    kPerimeter = 12,
    kKontragent = 13,
    kPolotna = 14,
    kError = 15,
    kForms = 16,
    kComment = 17,
    kAngles = 18,
    kPrinttitle = 19,
    kSquaremat = 20,
    kLengthmat = 21,
    kMatwidth = 22,
    kWork = 23,
    kWorktime = 24,
    kScale = 25,
    kReduct = 26,
    kMatgroup = 27,
    kAnglescount = 28,
    kPrice = 29,
    kCity = 30,
    kGarpun = 31,
    kSumprice = 32,
    kSummaterial = 33,
    kSumaddjob = 34,
    kAddjob = 35,
    kMaterial = 36,
    kInn = 37,
    kKpp = 38,
    kAddress = 39,
    kRasschet = 40,
    kPhone = 41,
};
} // namespace field

} // namespace tenzora
