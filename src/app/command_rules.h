#pragma once
// When a command is enabled and when it is checked: pure functions of the document, the
// program settings and the little window state the rules look at.

#include <optional>
#include <string>

namespace tenzora {

struct AppSettings;
class TZCeiling;

// The window state the rules need.
struct CommandUiState {
    // Text of the side panel tree's selected row; none while no row is selected.
    std::optional<std::wstring> selectedTreeRow;
    bool mainToolbarVisible = true;
    bool pointsToolbarVisible = true;
    bool sidePanelVisible = true;
};

// Everything a rule may look at.
struct CommandInputs {
    const TZCeiling& doc;
    const AppSettings& settings;
    const CommandUiState& ui;
};

struct CommandState {
    bool enabled = true;
    // Checked or not; none leaves the mark as it is (and stands for "no mark" where the command
    // is not checkable).
    std::optional<bool> checked;
};

// The rule of the command table for `id`. Commands without a rule of their own are enabled and
// unchecked. Whether a command can run at all (has a handler) is the dispatcher's business.
CommandState commandRule(int id, const CommandInputs& in);

} // namespace tenzora
