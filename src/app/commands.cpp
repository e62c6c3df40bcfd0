#include "app/commands.h"

#include <algorithm>

#include "app/command_effects.h"
#include "app/command_ids.h"
#include "app/command_table.h"
#include "cutting/cutting_mode.h"
#include "model/ceiling.h"
#include "model/forming_commands.h"
#include "model/settings.h"
#include "output/order_export.h"

namespace tenzora {

namespace {
constexpr wchar_t kNoFormsText[] = L"Нет ни одной доступной печатной формы!";

bool isSharedChoice(int id) {
    return id >= cmd::kFirstSharedChoice && id <= cmd::kLastSharedChoice;
}
bool isPhotoItem(int id) {
    return id >= cmd::kFirstPhotoItem && id <= cmd::kFirstPhotoItem + cmd::kMaxPhotoItemIndex;
}
} // namespace

// ---- registry -----------------------------------------------------------------------------------

void CommandRegistry::setHandler(int id, CommandHandler handler) {
    handlers_[id] = std::move(handler);
}
void CommandRegistry::setEnableRule(int id, EnableRule rule) {
    enableRules_[id] = std::move(rule);
}

void CommandRegistry::removeHandler(int id) {
    handlers_.erase(id);
    enableRules_.erase(id);
}

bool CommandRegistry::hasHandler(int id) const {
    return handlers_.count(id) != 0;
}

const CommandHandler* CommandRegistry::handler(int id) const {
    const auto it = handlers_.find(id);
    return it == handlers_.end() ? nullptr : &it->second;
}

const EnableRule* CommandRegistry::enableRule(int id) const {
    const auto it = enableRules_.find(id);
    return it == enableRules_.end() ? nullptr : &it->second;
}

void CommandRegistry::setChoiceHandler(ChoiceKind kind, ChoiceHandler handler) {
    choiceHandlers_[kind] = std::move(handler);
}

const ChoiceHandler* CommandRegistry::choiceHandler(ChoiceKind kind) const {
    const auto it = choiceHandlers_.find(kind);
    return it == choiceHandlers_.end() ? nullptr : &it->second;
}

// ---- processor ----------------------------------------------------------------------------------

CommandProcessor::CommandProcessor(TZCeiling& doc, AppSettings& settings, Clock& clock)
    : doc_(doc), settings_(settings), clock_(clock) {}

CommandContext CommandProcessor::context() {
    return {doc_, settings_, clock_, *this, host_};
}

CommandOutcome CommandProcessor::execute(int id) {
    // Every command looks at the report flag first and clears it: a report pop-up dismissed
    // without a choice must not turn a later print-form choice into a report.
    const bool reportChoice = reportMenuPending_;
    reportMenuPending_ = false;
    if (isSharedChoice(id)) return runSharedChoice(id, reportChoice);
    if (isPhotoItem(id)) return runPhotoItem(id);

    const CommandHandler* handler = registry_.handler(id);
    if (handler == nullptr)
        return findCommand(id) != nullptr || id == cmd::kAddPhoto ? CommandOutcome::NotAvailable
                                                                  : CommandOutcome::Ignored;
    CommandContext ctx = context();
    (*handler)(ctx);
    return CommandOutcome::Done;
}

CommandOutcome CommandProcessor::runSharedChoice(int id, bool asReport) {
    const int index = id - cmd::kFirstSharedChoice;
    const int listed = asReport ? doc_.resources.wordForms.count() : doc_.resources.printForms.count();
    // The lists are accessed by index: an index past the end would silently pick the first one.
    if (index >= listed) return CommandOutcome::Ignored;
    const ChoiceHandler* handler =
        registry_.choiceHandler(asReport ? ChoiceKind::Report : ChoiceKind::PrintForm);
    if (handler == nullptr) return CommandOutcome::NotAvailable;
    CommandContext ctx = context();
    (*handler)(ctx, index);
    return CommandOutcome::Done;
}

CommandOutcome CommandProcessor::runPhotoItem(int id) {
    const int k = id - cmd::kFirstPhotoItem;
    const int count = doc_.photos.count();
    if (k > std::min(count, cmd::kMaxPhotoItemIndex)) return CommandOutcome::Ignored;
    if (k < count)
        showPhoto(doc_, k);
    else
        hidePhoto(doc_);
    return CommandOutcome::Done;
}

bool CommandProcessor::available(int id) const {
    if (isPhotoItem(id)) return true;
    if (isSharedChoice(id))
        return registry_.choiceHandler(ChoiceKind::PrintForm) != nullptr ||
               registry_.choiceHandler(ChoiceKind::Report) != nullptr;
    return registry_.hasHandler(id);
}

CommandState CommandProcessor::state(int id, const CommandUiState& ui) const {
    const CommandInputs inputs{doc_, settings_, ui};
    CommandState state = commandRule(id, inputs);
    if (!available(id)) {
        state.enabled = false;
    } else if (const EnableRule* rule = registry_.enableRule(id); rule != nullptr && !(*rule)(inputs)) {
        state.enabled = false;
    }
    return state;
}

bool CommandProcessor::offerChoices(ChoiceKind kind, int anchorCommand,
                                    const std::vector<std::wstring>& names) {
    if (names.empty()) {
        doc_.ui().exclamation(kNoFormsText);
        return false;
    }
    const bool runnable = registry_.choiceHandler(kind) != nullptr;
    std::vector<PopupItem> items;
    const int listed = std::min(static_cast<int>(names.size()), cmd::kMaxChoiceItems);
    for (int i = 0; i < listed; ++i)
        items.push_back({cmd::kFirstSharedChoice + i, names[static_cast<std::size_t>(i)], runnable, false});
    if (kind == ChoiceKind::Report) reportMenuPending_ = true;
    if (host_ != nullptr) host_->showPopup(anchorCommand, items);
    return true;
}

// ---- the document's own commands ----------------------------------------------------------------

void registerDocumentCommands(CommandRegistry& r) {
    using namespace cmd;
    r.setHandler(kNewProject, [](CommandContext& c) { runNewProject(c.doc, c.clock); });
    r.setHandler(kSave, [](CommandContext& c) { c.doc.saveAs(); });
    r.setHandler(kOpen, [](CommandContext& c) { c.doc.openFile(); });
    r.setHandler(kOrderExport, [](CommandContext& c) { exportOrder(c.doc, c.settings); });
    r.setHandler(kUndo, [](CommandContext& c) { c.doc.undo(); });
    r.setHandler(kRedo, [](CommandContext& c) { c.doc.redo(); });
    r.setHandler(kZoomIn, [](CommandContext& c) { zoomBy(c.doc, kZoomInFactor); });
    r.setHandler(kZoomOut, [](CommandContext& c) { zoomBy(c.doc, kZoomOutFactor); });

    const std::pair<int, bool& (*)(TZCeiling&)> displaySwitches[] = {
        {kShowPoints, [](TZCeiling& d) -> bool& { return d.view.showPointNames; }},
        {kShowLengths, [](TZCeiling& d) -> bool& { return d.view.showLengths; }},
        {kShowConstructions, [](TZCeiling& d) -> bool& { return d.showConstructions; }},
        {kShowAngles, [](TZCeiling& d) -> bool& { return d.view.showAngles; }},
        {kShowCanvasDistances, [](TZCeiling& d) -> bool& { return d.view.showCanvasDistances; }},
        {kShowGrid, [](TZCeiling& d) -> bool& { return d.view.showGrid; }},
        {kSnapToGrid, [](TZCeiling& d) -> bool& { return d.view.snapToGrid; }}};
    for (auto [id, flag] : displaySwitches)
        r.setHandler(id, [flag = flag](CommandContext& c) { toggleDisplaySwitch(c.doc, flag(c.doc)); });

    const std::pair<int, int> pointTools[] = {
        {kEditPoints, 0}, {kInsertPoints, 1}, {kPointTool2, 2}, {kDeletePoints, 3}};
    for (auto [id, tool] : pointTools)
        r.setHandler(id, [tool = tool](CommandContext& c) { selectPointTool(c.doc, tool); });
    const std::pair<int, int> diagonalTools[] = {
        {kInsertDiagonal, 0}, {kSelectDiagonal, 1}, {kDeleteDiagonal, 2}};
    for (auto [id, tool] : diagonalTools)
        r.setHandler(id, [tool = tool](CommandContext& c) { selectDiagonalTool(c.doc, tool); });

    r.setHandler(kPan, [](CommandContext& c) { togglePanning(c.doc); });
    r.setHandler(kRuler, [](CommandContext& c) { startRuler(c.doc); });
    r.setHandler(kStepMode, [](CommandContext& c) { toggleStepMode(c.doc); });
    r.setHandler(kDealerMode, [](CommandContext& c) { toggleDealerMode(c.doc, c.settings); });

    const std::pair<int, int> methods[] = {
        {kMethodDouble, 0}, {kMethodTriangles, 1}, {kMethodDifferential, 2}};
    for (auto [id, method] : methods)
        r.setHandler(id, [method = method](CommandContext& c) { setConstructionMethod(c.doc, method); });

    const std::pair<int, bool TZCeiling::*> markings[] = {
        {kDragUpdatesSides, &TZCeiling::dragUpdatesSides},
        {kDragUpdatesDiagonals, &TZCeiling::dragUpdatesDiagonals},
        {kMarkSides, &TZCeiling::markSides},
        {kMarkDiagonals, &TZCeiling::markDiagonals}};
    for (auto [id, flag] : markings)
        r.setHandler(id, [flag = flag](CommandContext& c) { toggleMarking(c.doc, flag); });

    const std::pair<int, double> accuracies[] = {
        {kAccuracy10, kAccuracyClass10}, {kAccuracy5, kAccuracyClass5}, {kAccuracy2, kAccuracyClass2}};
    for (auto [id, accuracy] : accuracies)
        r.setHandler(id, [accuracy = accuracy](CommandContext& c) { setAccuracyClass(c.doc, accuracy); });

    // Forming the outline and the triangle commands.
    r.setHandler(kFormProject, [](CommandContext& c) { formProjectCommand(c.doc); });
    r.setHandler(kDiagonalCorrection, [](CommandContext& c) { correctDiagonals(c.doc); });
    const std::pair<int, int> triangleSides[] = {
        {kTriangleOutward, kSideOutward}, {kTriangleInward, kSideInward}, {kTriangleAuto, kSideAuto}};
    for (auto [id, side] : triangleSides) {
        r.setHandler(id, [side = side](CommandContext& c) {
            if (c.host == nullptr) return;
            if (const auto row = c.host->selectedTreeRow()) setTriangleSide(c.doc, *row, side);
        });
    }
    r.setHandler(kRightAngle, [](CommandContext& c) {
        if (c.host == nullptr) return;
        if (const auto row = c.host->selectedTreeRow()) toggleRightAngle(c.doc, *row);
    });

    r.setHandler(kCutting, [](CommandContext& c) { toggleCuttingMode(c.doc); });

    r.setHandler(kPhotos, [](CommandContext& c) {
        if (c.host != nullptr) c.host->showPopup(kPhotos, photoMenu(c.doc, c.processor.available(kAddPhoto)));
    });
}

} // namespace tenzora
