#include "output/report_fields.h"

namespace tenzora {

namespace {

// SUMPRICE stands before PRICE (a report replaces the longer keyword first).
constexpr std::array<ReportField, kReportFieldCount> kFields = {{
    {1, "NUMBER"},      {2, "DATE"},         {3, "NAME"},         {4, "COLOR"},        {5, "LASTLETTER"},
    {6, "SIDES"},       {7, "DIAGONALS"},    {8, "RASKROYLINE"},  {20, "SQUAREMAT"},   {9, "SQUARE"},
    {10, "OBREZKI"},    {11, "COUNTCORNER"}, {12, "PERIMETER"},   {13, "KONTRAGENT"},  {37, "INN"},
    {38, "KPP"},        {39, "ADDRESS"},     {40, "RASSCHET"},    {41, "PHONE"},       {14, "POLOTNA"},
    {15, "ERROR"},      {16, "FORMS"},       {17, "COMMENT"},     {28, "ANGLESCOUNT"}, {18, "ANGLES"},
    {19, "PRINTTITLE"}, {21, "LENGTHMAT"},   {22, "MATWIDTH"},    {24, "WORKTIME"},    {23, "WORK"},
    {25, "SCALE"},      {26, "REDUCT"},      {27, "MATGROUP"},    {32, "SUMPRICE"},    {29, "PRICE"},
    {30, "CITY"},       {31, "GARPUN"},      {33, "SUMMATERIAL"}, {34, "SUMADDJOB"},   {35, "ADDJOB"},
    {36, "MATERIAL"},
}};

bool equalsIgnoringCase(std::wstring_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        wchar_t c = a[i];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
        if (c != static_cast<wchar_t>(b[i])) return false;
    }
    return true;
}

} // namespace

const std::array<ReportField, kReportFieldCount>& reportFields() {
    return kFields;
}

int reportFieldId(std::wstring_view keyword) {
    for (const ReportField& f : kFields)
        if (equalsIgnoringCase(keyword, f.keyword)) return f.id;
    return 0;
}

std::string_view reportFieldKeyword(int id) {
    for (const ReportField& f : kFields)
        if (f.id == id) return f.keyword;
    return {};
}

} // namespace tenzora
