#pragma once
// The variables of the printed sheet and of the office reports: 41 keywords with their ids, in
// the order a report replaces them (a keyword that contains another comes first, so the longer
// one is replaced whole).

#include <array>
#include <string_view>

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
