#include "editor/side_panel_fields.h"

#include "editor/length_entry.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"
#include "model/records.h"

namespace tenzora {

namespace {
// Up to this many points every name is a single letter.
constexpr int kSingleLetterNames = 26;
constexpr std::size_t kSingleLetterPairLength = 2;
constexpr std::size_t kLongestIncompletePairLength = 3;
} // namespace

bool nameIsComplete(std::wstring_view name, int vertexCount) {
    if (vertexCount <= kSingleLetterNames) return name.size() == kSingleLetterPairLength;
    return name.size() > kLongestIncompletePairLength;
}

void SidePanelFields::nameEdited(std::wstring_view text) {
    name_ = text;
    if (nameIsComplete(name_, doc_.polygon.count())) synchronise();
}

void SidePanelFields::showRecord(int record) {
    const Diagonal* d = doc_.diagonals.checkedAt(record);
    if (d == nullptr) return;
    name_ = pairName(d->a, d->b);
    synchronise();
}

void SidePanelFields::chooseName(std::wstring_view name) {
    name_ = name;
    synchronise();
}

void SidePanelFields::synchronise() {
    const auto pair = parsePairName(trimBlanks(applyNameKeys(name_)));
    const int n = doc_.polygon.count();
    if (!pair || pair->first < 0 || pair->first >= n || pair->second < 0 || pair->second >= n) {
        doc_.editor.currentDiagonal = -1;
        return;
    }
    name_ = pairName(pair->first, pair->second);
    const int record = findDiagonal(doc_, pair->first, pair->second);
    doc_.editor.currentDiagonal = record;
    if (record >= 0) length_ = measuredLengthText(&doc_.diagonals.at(record));
}

void SidePanelFields::setLength() {
    const LengthEntryResult result = enterLength(doc_, name_, length_);
    if (!result.nextName.empty()) {
        name_ = result.nextName;
        // The proposal is yet to be measured: its length is unknown even when it has no record,
        // so that a second Enter cannot give it the length just entered for another item.
        length_ = measuredLengthText(nullptr);
    }
    synchronise();
    doc_.repaint();
}

bool SidePanelFields::refreshLength() {
    const auto pair = parsePairName(trimBlanks(applyNameKeys(name_)));
    const int n = doc_.polygon.count();
    if (!pair || pair->first < 0 || pair->first >= n || pair->second < 0 || pair->second >= n) return false;
    const int record = findDiagonal(doc_, pair->first, pair->second);
    if (record < 0) return false;
    const std::wstring now = measuredLengthText(&doc_.diagonals.at(record));
    if (now == length_) return false;
    length_ = now;
    return true;
}

bool SidePanelFields::forgetNameOutsideOutline() {
    if (name_.empty() && length_.empty()) return false;
    const int n = doc_.polygon.count();
    const auto pair = parsePairName(trimBlanks(applyNameKeys(name_)));
    const bool outside = n == 0 || (pair && (pair->first >= n || pair->second >= n));
    if (!outside) return false;
    name_.clear();
    length_.clear();
    return true;
}

} // namespace tenzora
