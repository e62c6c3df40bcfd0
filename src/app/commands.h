#pragma once
// Running the main window's commands. The command table says what exists; this registry says
// what each command does. The effects that belong to the document and the view switches are
// registered by registerDocumentCommands(); every other part of the program plugs in its own
// handler (and, when it needs one, an enable rule) without touching the table:
//
//     processor.registry().setHandler(cmd::kMaterials, [](CommandContext& c) { ... });
//     processor.registry().setEnableRule(cmd::kMaterials, [](const CommandInputs& in) { ... });
//
// A command without a handler is "not available": the window disables it and running it
// reports CommandOutcome::NotAvailable instead of pretending to work.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/command_host.h"
#include "app/command_rules.h"

namespace tenzora {

class Clock;
class TZCeiling;
struct AppSettings;
class CommandProcessor;

// What a handler works on.
struct CommandContext {
    TZCeiling& doc;
    AppSettings& settings;
    Clock& clock;
    CommandProcessor& processor;
    CommandHost* host; // null while headless
};

using CommandHandler = std::function<void(CommandContext&)>;
using EnableRule = std::function<bool(const CommandInputs&)>;
// Runs the choice of a print form or a report template by its index.
using ChoiceHandler = std::function<void(CommandContext&, int index)>;

enum class ChoiceKind { PrintForm, Report };

class CommandRegistry {
  public:
    // Installs (or replaces) the handler of a command.
    void setHandler(int id, CommandHandler handler);
    // An extra condition for enabling the command, checked after the table's own rule.
    void setEnableRule(int id, EnableRule rule);
    void removeHandler(int id);
    bool hasHandler(int id) const;
    const CommandHandler* handler(int id) const;
    const EnableRule* enableRule(int id) const;

    // The runners of the shared pop-up ids 20000 + i.
    void setChoiceHandler(ChoiceKind kind, ChoiceHandler handler);
    const ChoiceHandler* choiceHandler(ChoiceKind kind) const;

  private:
    std::map<int, CommandHandler> handlers_;
    std::map<int, EnableRule> enableRules_;
    std::map<ChoiceKind, ChoiceHandler> choiceHandlers_;
};

enum class CommandOutcome {
    Done,         // a handler ran (it may have decided to do nothing, as in the start mode)
    NotAvailable, // no part of the program handles this command yet
    Ignored,      // an id outside every menu, or a pop-up id that no longer applies
};

class CommandProcessor {
  public:
    CommandProcessor(TZCeiling& doc, AppSettings& settings, Clock& clock);
    CommandProcessor(const CommandProcessor&) = delete;
    CommandProcessor& operator=(const CommandProcessor&) = delete;

    void setHost(CommandHost* host) { host_ = host; }
    CommandHost* host() const { return host_; }
    CommandRegistry& registry() { return registry_; }
    const CommandRegistry& registry() const { return registry_; }

    // Every command of the window comes here: menu items, buttons, keys and pop-up choices.
    CommandOutcome execute(int id);

    // Enabled and checked as the window should show it: the table's rule, the registered rule,
    // and disabled without a handler.
    CommandState state(int id, const CommandUiState& ui) const;
    // A handler exists (for a pop-up id: the command behind it).
    bool available(int id) const;

    // Offers print forms or report templates by name in a pop-up under `anchorCommand`, with
    // ids 20000 + i (at most 50). Offering reports sets reportMenuPending. With no names, says
    // "Нет ни одной доступной печатной формы!" and returns false.
    bool offerChoices(ChoiceKind kind, int anchorCommand, const std::vector<std::wstring>& names);
    // Set while a report pop-up is out; the next command of any kind clears it.
    bool reportMenuPending() const { return reportMenuPending_; }

  private:
    CommandOutcome runSharedChoice(int id, bool asReport);
    CommandOutcome runPhotoItem(int id);
    CommandContext context();

    TZCeiling& doc_;
    AppSettings& settings_;
    Clock& clock_;
    CommandHost* host_ = nullptr;
    CommandRegistry registry_;
    bool reportMenuPending_ = false;
};

// Registers the effects that act on the document, the view switches and the program settings:
// new project, open, save, undo, redo, zoom, the display switches, modes and tools, panning,
// the ruler, step mode, dealer mode, the construction method, the drag and marking switches,
// the accuracy class, the cutting mode switch, and the photo menu.
void registerDocumentCommands(CommandRegistry& registry);

} // namespace tenzora
