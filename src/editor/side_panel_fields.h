#pragma once
// The side panel's two entry fields and what they do: the name field selects the side or
// diagonal it names (the length field then shows its length and the drawing marks it), and
// "Установить" gives the selected item the typed length, forms the outline again and moves on to
// the next item to measure. The window's panel mirrors these texts in its edit controls.

#include <string>
#include <string_view>

namespace tenzora {

class TZCeiling;

// Whether a name typed so far is complete enough to select: two characters on an outline of up
// to 26 points (single-letter names), more than three on a larger one (names such as "A1B1").
bool nameIsComplete(std::wstring_view name, int vertexCount);

class SidePanelFields {
  public:
    explicit SidePanelFields(TZCeiling& doc) : doc_(doc) {}

    const std::wstring& name() const { return name_; }
    const std::wstring& length() const { return length_; }

    // The name field changed (its characters already went through the name keys): it selects
    // what it names once the name is complete.
    void nameEdited(std::wstring_view text);
    // The name field lost the focus: it selects what it names whatever its length.
    void nameFinished() { synchronise(); }
    void lengthEdited(std::wstring_view text) { length_ = text; }

    // The name field names record `record` (a click in the drawing chose it); −1 changes nothing.
    void showRecord(int record);
    // A name chosen in the tree.
    void chooseName(std::wstring_view name);

    // "Установить" (or Enter in the length field). The warning about a triangle that cannot
    // close is shown by the entry itself; the entry goes on regardless. The name field then
    // proposes the next item to measure, with its length ("?" when it has none).
    void setLength();

    // Reads the name field as a side or diagonal name: the record of those two points becomes
    // the selected item, the length field shows its measured length ("?" when not measured) and
    // the name is written the canonical way (lower index first). A name that names no record
    // selects nothing and leaves the length field as it is.
    void synchronise();

    // After the outline changed wholesale (a new project, another file): a name of vertices the
    // outline no longer has, or any name once there is no outline, is cleared with its length.
    // True when the fields were cleared.
    bool forgetNameOutsideOutline();
    // After the records changed under the fields (undo, redo, another file): the length field
    // shows the named record's length as it is now; nothing is selected. True when it changed.
    bool refreshLength();

  private:
    TZCeiling& doc_;
    std::wstring name_;
    std::wstring length_;
};

} // namespace tenzora
