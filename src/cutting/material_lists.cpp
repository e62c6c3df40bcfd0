#include "cutting/material_lists.h"

#include <cmath>

#include "model/formatting.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

// Lower case of a letter of the names' code page (Latin and Cyrillic, Ё included).
wchar_t foldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
    if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20); // А … Я
    if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50); // Ѐ … Џ (Ё, Ў, Є …)
    if (c == 0x0490) return 0x0491;                                        // Ґ
    return c;
}

} // namespace

std::wstring ChoiceList::selectedText() const {
    return hasSelection() ? entries[static_cast<std::size_t>(selected)] : std::wstring();
}

std::wstring fabricEntryText(const Material& material) {
    std::wstring text = codepage::fromCp1251(material.name);
    if (std::fabs(material.stock) >= kShownRemainder) text += L" (" + formatNumber(material.stock, 2) + L")";
    return text;
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const std::wstring wa = codepage::fromCp1251(a);
    const std::wstring wb = codepage::fromCp1251(b);
    for (std::size_t i = 0; i < wa.size(); ++i)
        if (foldCase(wa[i]) != foldCase(wb[i])) return false;
    return true;
}

int findGroupRecord(const TZMaterialBase& base, const std::wstring& name) {
    const std::string bytes = codepage::toCp1251(name);
    for (int i = 0; i < base.count(); ++i) {
        const Material& m = base.at(i);
        if (m.isGroup != 0 && m.name == bytes) return i;
    }
    return -1;
}

int findFabricRecord(const TZMaterialBase& base, std::int32_t groupId, const std::wstring& entry) {
    const std::string bytes = codepage::toCp1251(entry);
    for (int i = 0; i < base.count(); ++i) {
        const Material& m = base.at(i);
        if (m.isGroup != 0 || m.groupId != groupId) continue;
        if (m.name == bytes || fabricEntryText(m) == entry) return i;
    }
    return -1;
}

} // namespace tenzora
