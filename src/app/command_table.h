#pragma once
// The main window's commands as data: every command with its menu text, key, status text and
// tooltip, the menu bar with its submenus and separators, and the four toolbars. The window is
// generated from these tables; the tables hold no behaviour.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tenzora {

// A keyboard accelerator. Gray + and Gray − are the keys of the numeric keypad.
enum class AccelKey { None, Letter, Enter, F12, KeypadPlus, KeypadMinus };

struct Accelerator {
    AccelKey key = AccelKey::None;
    char letter = 0; // 'A'..'Z' when key is Letter
    bool ctrl = false;
    bool empty() const { return key == AccelKey::None; }
};

struct CommandInfo {
    int id = 0;
    // The menu item's text; after a tab comes the key text. Empty for toolbar-only commands.
    std::wstring_view menuText;
    std::wstring_view statusText;
    std::wstring_view tooltip;
    Accelerator accelerator;
    bool checkable = false; // has a check rule

    // The text a command shows where no menu text exists (toolbar-only commands).
    std::wstring_view label() const;
};

// Every command of the main window, in menu order, then the toolbar-only ones.
std::span<const CommandInfo> commandTable();
// The command with this id, or null.
const CommandInfo* findCommand(int id);

// ---- the menu bar ---------------------------------------------------------------------------------

struct MenuEntry {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    int command = 0;                // Command
    std::wstring_view title;        // Submenu
    std::vector<MenuEntry> entries; // Submenu
};

struct MenuDefinition {
    std::wstring_view title; // with its "&" mnemonic where it has one
    std::vector<MenuEntry> entries;
};

const std::vector<MenuDefinition>& menuBar();

// ---- the toolbars ---------------------------------------------------------------------------------

// A toolbar button is a command id; kToolbarSeparator stands for a separator.
inline constexpr int kToolbarSeparator = 0;

struct ToolbarDefinition {
    int resource = 0; // the toolbar's resource number: also its saved-layout name
    std::wstring_view caption;
    std::vector<int> buttons;
    bool startsNewRow = false; // docked below the toolbars before it
};

// In docking order: "Основные инструменты" on its own row, then "Треугольники",
// "Редактирование точек и диагоналей" and "Дополнительные построения" side by side below it.
const std::vector<ToolbarDefinition>& toolbars();

// Resource numbers of the toolbars (the visibility commands refer to them).
inline constexpr int kMainToolbar = 5;
inline constexpr int kTrianglesToolbar = 6;
inline constexpr int kPointsToolbar = 4;
inline constexpr int kConstructionsToolbar = 8;

} // namespace tenzora
