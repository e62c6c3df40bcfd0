#pragma once
// The fabric lists of the cutting dialog: the groups of the materials base ("Тип полотна"), the
// fabrics of one group ("Полотно") with their stock remainder, and the lookups the dialog makes
// by the texts of those lists.

#include <string>
#include <vector>

#include "storage/material.h"
#include "storage/material_base.h"

namespace tenzora {

// A drop-down list: its entries and the selected one (−1 for none).
struct ChoiceList {
    std::vector<std::wstring> entries;
    int selected = -1;

    std::wstring selectedText() const;
    bool hasSelection() const { return selected >= 0 && selected < static_cast<int>(entries.size()); }
    void clear() {
        entries.clear();
        selected = -1;
    }
};

// A remainder smaller than this in magnitude is not shown after a fabric's name.
inline constexpr double kShownRemainder = 0.01;

// The entry of a fabric: its name, followed by " (" + the remainder with two decimals + ")"
// when the last stock scan left one.
std::wstring fabricEntryText(const Material& material);

// Names compared as the dialog compares them when it looks for the current fabric: letters of
// either case (Latin and Cyrillic) are equal.
bool sameNameIgnoringCase(const std::string& a, const std::string& b);

// The first group record named `name` (wide text of the list); −1 for none.
int findGroupRecord(const TZMaterialBase& base, const std::wstring& name);

// The fabric of group `groupId` that a fabric entry stands for: its name written exactly as the
// entry, or as the entry with the remainder suffix; −1 for none.
int findFabricRecord(const TZMaterialBase& base, std::int32_t groupId, const std::wstring& entry);

} // namespace tenzora
