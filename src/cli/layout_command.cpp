// layout: the cutting dialog's OK (or its optimiser), headless.

#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/project_json.h"
#include "cutting/cutting_dialog.h"
#include "model/ceiling.h"
#include "model/names.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

// A number option checked now, so that a typo is bad usage rather than a field reading 0; the
// text then goes into its field as typed, and the dialog reads it as it reads the field. A number
// the dialog cannot use (not finite, out of its range) is refused by the dialog with its own
// message: a failure, exit status 1.
std::optional<std::wstring> numberField(Arguments& args, const std::string& name) {
    const auto text = args.option(name);
    if (!text) return std::nullopt;
    if (!isNumberText(*text)) parseNumber(*text, name);
    return codepage::fromUtf8(*text);
}

// A side or diagonal name as the name field would hold it once typed (upper case, Latin).
std::wstring pairField(const std::string& text, const std::string& option) {
    const std::wstring name = applyNameKeys(codepage::fromUtf8(text));
    if (!parsePairName(name)) throw UsageError(option + ": \"" + text + "\" names no side or diagonal");
    return name;
}

int indexOf(const ChoiceList& list, const std::wstring& text) {
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (list.entries[i] == text) return static_cast<int>(i);
    return -1;
}

// A fabric entry by the fabric's name, with or without the remainder shown after it.
int fabricIndexOf(const ChoiceList& list, const std::wstring& name) {
    const int exact = indexOf(list, name);
    if (exact >= 0) return exact;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::wstring& e = list.entries[i];
        if (e.size() > name.size() + 2 && e.compare(0, name.size() + 2, name + L" (") == 0 &&
            e.back() == L')')
            return static_cast<int>(i);
    }
    return -1;
}

void failUnlessLaidOut(ConfirmOutcome confirmed, LayoutOutcome layout) {
    switch (confirmed) {
    case ConfirmOutcome::NoWidth:
        throw Failure("Раскрой не выполнен: не указаны ширина полотна и коэффициент натяжения");
    case ConfirmOutcome::NoFabricType:
        throw Failure("Раскрой не выполнен: в базе материалов нет ни одного типа полотна");
    case ConfirmOutcome::FabricNotFound:
        throw Failure("Раскрой не выполнен: выбранного полотна нет в базе материалов");
    case ConfirmOutcome::MissingSide:
    case ConfirmOutcome::Refused:
        throw Failure(""); // the program's own message has been printed
    case ConfirmOutcome::LaidOut:
        break;
    }
    switch (layout) {
    case LayoutOutcome::LaidOut:
        return;
    case LayoutOutcome::NotStarted:
        throw Failure("Раскрой не выполнен: ширина полотна должна быть больше нуля");
    case LayoutOutcome::SeamNotFound:
        throw Failure("Раскрой не выполнен: в контуре нет такой стороны или диагонали");
    case LayoutOutcome::NoCanvases:
        throw Failure("Раскрой не выполнен: полотна не укладываются (проверьте контур, ширину полотна, швы и "
                      "коэффициент натяжения)");
    case LayoutOutcome::TooManySeams:
    case LayoutOutcome::TooManyCrossings:
        throw Failure(""); // told already
    }
}

} // namespace

int runLayout(Context& context, Arguments& args) {
    const auto side = args.option("--side");
    const bool perpendicular = args.flag("--perpendicular");
    const auto offset = numberField(args, "--offset");
    const auto second = args.option("--two-diagonals");
    const auto offset2 = numberField(args, "--offset2");
    const auto group = args.option("--group");
    const auto fabric = args.option("--fabric");
    const auto width = numberField(args, "--width");
    const auto tension = numberField(args, "--tension");
    const auto tensionY = numberField(args, "--tension-y");
    const auto offcutCoef = numberField(args, "--offcut-coef");
    const auto seamsText = args.option("--seams");
    // "--optimise=fine" runs the finer search (offsets and right angles as well).
    const bool fine = args.flag("--optimise=fine");
    const bool optimise = args.flag("--optimise") || fine;
    const auto out = args.option("-o");
    const auto files = args.positional();
    if (files.size() != 1) throw UsageError("layout needs exactly one project file");
    if (!side && !optimise) throw UsageError("--side is required (or --optimise, which chooses the side)");
    if (offset2 && !second) throw UsageError("--offset2 goes with --two-diagonals");
    if (seamsText) parseInteger(*seamsText, "--seams");
    const std::optional<std::wstring> sideName =
        side ? std::optional(pairField(*side, "--side")) : std::nullopt;
    const std::optional<std::wstring> secondName =
        second ? std::optional(pairField(*second, "--two-diagonals")) : std::nullopt;

    context.openProject(files[0]);
    TZCeiling& doc = context.doc();
    // As "Раскрой фигуры" does: the dialog shows (re-placing the outline and, with a side already
    // chosen, laying the canvases out with the project's fabric), and the cutting mode begins.
    CuttingDialog dialog(doc, context.app().settings());
    const bool sideWasChosen = doc.seamFrom >= 0 && doc.seamTo >= 0;
    dialog.setVisible(true);
    doc.editor.mode = kModeCutting;

    if (group) {
        const int i = indexOf(dialog.fabricTypes(), codepage::fromUtf8(*group));
        if (i < 0) throw UsageError("--group: the materials base has no fabric type \"" + *group + "\"");
        dialog.fabricTypes().selected = i;
        dialog.fabricTypeChosen();
    }
    if (fabric) {
        const int i = fabricIndexOf(dialog.fabrics(), codepage::fromUtf8(*fabric));
        if (i < 0) throw UsageError("--fabric: the chosen fabric type has no fabric \"" + *fabric + "\"");
        dialog.fabrics().selected = i;
        dialog.fabricChosen();
    } else if (!group && !sideWasChosen) {
        // The fabric the list shows is taken as if the user had picked it.
        dialog.fabricChosen();
    }

    // The dialog would stop silently at its empty width; a script is told why.
    if (dialog.fabricTypes().entries.empty())
        throw Failure("Раскрой не выполнен: в базе материалов нет ни одного типа полотна");

    CuttingDialogFields& f = dialog.fields();
    if (sideName) f.seamSide = *sideName;
    if (perpendicular) f.perpendicular = true;
    if (offset) f.offset = *offset;
    if (secondName) {
        f.twoDiagonals = true;
        f.secondDiagonal = *secondName;
    }
    if (offset2) f.offset2 = *offset2;
    if (width) f.width = *width;
    if (tension) f.tension = *tension;
    if (tensionY) f.tensionY = *tensionY;
    if (offcutCoef) f.offcutCoef = *offcutCoef;
    if (seamsText) f.seams = codepage::fromUtf8(*seamsText);
    dialog.perpendicularChanged();
    dialog.twoDiagonalsChanged();

    const ConfirmOutcome confirmed = fine       ? dialog.optimiseSeamSideFine().final
                                     : optimise ? dialog.optimiseSeamSide().final
                                                : dialog.ok();
    failUnlessLaidOut(confirmed, dialog.layout());
    context.saveIfRequested(out);
    printJson(projectJson(context.app()));
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
