#pragma once
// The logic of the cutting dialog ("Раскрой"): what its fields and lists show, what each of its
// controls does, its OK, the material optimiser and the display of stock remainders. The window
// (CRaskroy) binds its controls to this object and holds no rule of its own:
//   - before calling a handler it copies its controls into fields() and the three lists'
//     selections; afterwards it shows fields(), the lists and view() again;
//   - it calls setVisible() whenever its window is shown or hidden, and hides its window when
//     visible() turns false (OK closes the dialog that way).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cutting/layout.h"
#include "cutting/material_lists.h"
#include "storage/material.h"
#include "storage/material_base.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

inline constexpr wchar_t kCuttingDialogCaption[] = L"Раскрой";
inline constexpr wchar_t kMissingSeamSideMessage[] =
    L"Пожалуйста, выберите сторону или диагональ, по которой будет идти шов";
// Between the two point names of an entry of the side list (1168).
inline constexpr wchar_t kSideListSeparator[] = L"  -  ";

// The texts and check boxes of the dialog, by control.
struct CuttingDialogFields {
    std::wstring seamSide;       // 106: the seam side as a pair name ("AB")
    std::wstring secondDiagonal; // 107: the second diagonal in the two-diagonals mode
    bool perpendicular = false;  // 1304 "Перпендикулярно"
    bool twoDiagonals = false;   // 1548 "Две диагонали"
    std::wstring offset;         // 1308 "Отступ"
    std::wstring offset2;        // 1320: along the second diagonal
    std::wstring tension;        // 1120 "К-т натяжения, %:"
    std::wstring tensionY;       // 1121 "по Y*:"
    std::wstring offcutCoef;     // 1124 "К-т лишнего материала:"
    std::wstring width;          // 1178 "Ширина:"
    std::wstring seams;          // 1546 "Швы:" (mm as labelled; subtracted from the width as typed)
};

// Which controls are shown, and the labels of the two outer offset buttons.
struct CuttingDialogView {
    bool offsetButtons = false;           // 1368 "A", 1372 "Центр", 1376 "B"
    std::wstring firstPointLabel = L"A";  // 1368
    std::wstring secondPointLabel = L"B"; // 1376
    bool perpendicularBox = true;         // 1304
    bool secondDiagonal = false;          // 107, 1320 and its label 1550
};

enum class OffsetButton {
    FirstPoint,  // 1368: a seam through the second point of the side
    Centre,      // 1372: a seam through its middle
    SecondPoint, // 1376: a seam through its first point
};

// How a confirmation ended.
enum class ConfirmOutcome {
    NoWidth,        // width and tension both read as 0: nothing more done
    NoFabricType,   // no fabric type selected
    MissingSide,    // no seam side: the user was told
    FabricNotFound, // the selected fabric is not in the base
    LaidOut,        // the layout ran (see layout() for how it went)
    Refused,        // a typed value outside its range: the user was told, nothing changed
};

// What the optimiser did.
struct OptimiserResult {
    std::vector<std::wstring> triedPairs; // in the order tried
    std::wstring bestPair;                // empty when nothing was tried
    double bestQuantity = 0;
    ConfirmOutcome final = ConfirmOutcome::MissingSide; // the closing confirmation
    bool cancelled = false;                             // the progress callback stopped the search
};

// Progress of a long search: `done` of `total` layouts; returning false stops the search.
using SearchProgress = std::function<bool(long done, long total)>;

// What the finer search did ("Искать точнее"): the ordered pairs first, as the optimiser tries
// them, then every direction of a side or diagonal with the seams parallel and at right angles
// and the seam grid shifted across one pitch.
struct FineSearchResult {
    bool cancelled = false; // stopped by the user: the project is as it was before
    std::wstring bestPair;  // empty when nothing was laid out
    bool perpendicular = false;
    std::wstring offset = L"0"; // the offset field's text of the best layout
    double bestQuantity = 0;
    double pairQuantity = 0; // the optimiser's own best, for comparison
    long layouts = 0;        // layouts tried
    ConfirmOutcome final = ConfirmOutcome::MissingSide;
};

// Told before each candidate pair with the number tried so far and the number there are; false
// stops the search.
using OptimiserProgress = std::function<bool(int done, int total)>;

class CuttingDialog {
  public:
    // Fills `base` (a working copy of the document's materials base) with the remainders of the
    // stock scan: `stock` of every record.
    using StockScan = std::function<void(TZMaterialBase& base)>;

    CuttingDialog(TZCeiling& doc, const AppSettings& settings);

    // Every show and every hide: the outline is re-placed and, with a chosen seam side, the
    // canvases are laid out again with the project's material; the fields show the project.
    void setVisible(bool visible);
    bool visible() const { return visible_; }

    CuttingDialogFields& fields() { return fields_; }
    const CuttingDialogFields& fields() const { return fields_; }
    ChoiceList& fabricTypes() { return types_; } // 1150
    ChoiceList& fabrics() { return fabrics_; }   // 1164
    ChoiceList& sides() { return sides_; }       // 1168
    const CuttingDialogView& view() const { return view_; }
    bool optimising() const { return optimising_; }
    // How the last layout run by the dialog ended.
    LayoutOutcome layout() const { return lastLayout_; }

    // Handlers of the controls.
    void fabricTypeChosen();     // 1150
    void fabricChosen();         // 1164, selection or text
    void sideChosen();           // 1168
    void perpendicularChanged(); // 1304, and every change of 106
    void seamSideEdited() { perpendicularChanged(); }
    void offsetButton(OffsetButton button);
    void twoDiagonalsChanged(); // 1548
    ConfirmOutcome ok();        // 1
    void close();               // 2 "Закрыть"
    // 1046. A search stopped by `progress` ends with the best pair found so far, or with the seam
    // side the dialog showed before the search when none was laid out yet.
    OptimiserResult optimiseSeamSide(const OptimiserProgress& progress = {});
    // The finer search: never more material than optimiseSeamSide() (on a tie its choice stays),
    // one step of the history, nothing changed when cancelled through `progress`.
    FineSearchResult optimiseSeamSideFine(const SearchProgress& progress = {});
    // 1047: runs the stock scan on a working copy of the base, copies the remainders into the
    // document's base and fills the lists again (the remainders show after the fabric names).
    void showMaterialRemainders(const StockScan& scan);
    // The same with the stock scan over the drawing folders of the settings.
    void showMaterialRemainders();

    // The message refusing the first typed value that is not a number or lies outside its
    // range, in the order of the dialog's fields; nullopt when every field can be used.
    std::optional<std::wstring> fieldRefusal() const;

  private:
    void showOrHide();
    void fillLists(const Material& current);
    void fillFabrics(std::int32_t groupId, const Material& current);
    void applyTwoDiagonals();
    void applyPerpendicular();
    // The material the fabric-type and fabric entries stand for; −1 for none.
    int selectedFabricRecord() const;
    ConfirmOutcome confirm();

    TZCeiling& doc_;
    const AppSettings& settings_;
    CuttingDialogFields fields_;
    ChoiceList types_, fabrics_, sides_;
    std::vector<std::int32_t> groupIds_;    // of every entry of 1150
    std::vector<std::int32_t> materialIds_; // of every entry of 1164
    CuttingDialogView view_;
    Material working_;
    // The record the first confirmation made the current one; −1 until a confirmation did.
    int madeCurrentRecord_ = -1;
    bool optimising_ = false;
    bool visible_ = false;
    LayoutOutcome lastLayout_ = LayoutOutcome::NotStarted;
};

} // namespace tenzora
