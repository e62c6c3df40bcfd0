#pragma once
// What command handlers ask of the main window: pop-up menus under a toolbar button and the
// window's own actions. The window implements it; while headless there is none.

#include <optional>
#include <string>
#include <vector>

namespace tenzora {

struct PopupItem {
    int command = 0; // 0 for a separator
    std::wstring text;
    bool enabled = true;
    bool checked = false;

    bool isSeparator() const { return command == 0; }
};

class CommandHost {
  public:
    virtual ~CommandHost() = default;
    // Shows a pop-up menu under the button of `anchorCommand`. The chosen item comes back as an
    // ordinary command (after this call has returned); a dismissed menu sends nothing.
    virtual void showPopup(int anchorCommand, const std::vector<PopupItem>& items) = 0;
    // Text of the side panel tree's selected row (the triangle and right-angle commands act on
    // the vertex of that row); none while no row is selected.
    virtual std::optional<std::wstring> selectedTreeRow() const = 0;
};

} // namespace tenzora
