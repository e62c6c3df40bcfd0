#pragma once
// The logic of the materials dialog ("База материалов"): the working copy of the base shown in
// the left grid (a group, its materials, a blank row closing the group), the editing rules, OK,
// the stock scan with the movements of the selected material in the right grid, and receipts.
// The window binds its two grids, edits and buttons to this class and keeps no rule of its own.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "business/grid_column.h"
#include "business/stock_scan.h"
#include "model/static_array.h"
#include "storage/material.h"

namespace tenzora {

class Launcher;
class TZMaterialBase;
class UiServices;

class MaterialsForm {
  public:
    // Columns of the left grid (the working list) and of the right grid (the movements).
    static constexpr std::array<GridColumnSpec, 6> kMaterialColumns = {{{L"Группа", 100},
                                                                        {L"Название/Цвет", 150},
                                                                        {L"Коэф. натяжения", 80},
                                                                        {L"Коэф. цены обрезков", 80},
                                                                        {L"Ширина", 60},
                                                                        {L"Остаток на складе", 70}}};
    static constexpr std::array<GridColumnSpec, 4> kMovementColumns = {
        {{L"Клиент", 150}, {L"Дата", 80}, {L"Название", 80}, {L"Расход", 80}}};

    // The base must outlive the form; the form edits it on OK and sets its remainders on a scan.
    MaterialsForm(TZMaterialBase& base, UiServices& ui);

    // ---- showing ----------------------------------------------------------------------------------
    // Every showing (and hiding) of the window: the scan button enabled and the working list
    // rebuilt from the base, remainders of the last scan included.
    void show();
    const TZStaticArray<Material>& rows() const { return rows_; }
    int rowCount() const { return rows_.count(); }

    // ---- the left grid ----------------------------------------------------------------------------
    std::wstring cellText(int row, int column) const;
    // An edit of a cell. True when it added a row: the grid then takes the new row count and the
    // right grid is emptied.
    bool editCell(int row, int column, std::wstring_view text);
    // The message refusing a typed coefficient or width outside its range (the cell is then left
    // as it was); nullopt when the text can be stored.
    static std::optional<std::wstring> cellRefusal(int column, std::wstring_view text);
    // The row selected in the left grid; its movements fill the right grid.
    void selectRow(int row);
    int selectedRow() const { return selectedRow_; }

    // ---- the right grid ---------------------------------------------------------------------------
    int movementCount() const { return static_cast<int>(shownMovements_.size()); }
    const std::vector<MaterialBalance>& shownMovements() const { return shownMovements_; }
    const std::vector<MaterialBalance>& allMovements() const { return allMovements_; }
    std::wstring movementText(int movement, int column) const;

    // ---- buttons ----------------------------------------------------------------------------------
    // OK: the base rebuilt from the named rows and saved. False, with the user told and the base
    // unchanged, when materials.mat cannot be written: the dialog then stays open.
    bool accept();
    // "Показать остатки": the stock scan over the drawing folders. The hook may stop it after any
    // file: a stopped scan changes nothing (the remainders, movements and buttons stay as they
    // were) and returns false.
    bool scanStock(std::span<const std::wstring> folders, const StockScanHook& progress = {});
    // "Добавить остаток на склад" with the texts of the quantity and date edits. False when a
    // message stopped it or the receipt could not be written (the user has been told).
    bool addReceipt(const std::wstring& quantityText, const std::wstring& dateText,
                    std::span<const std::wstring> folders, const StockScanHook& progress = {});
    // "Открыть проект": the movement's file in a new instance of the program.
    bool openMovement(int movement, Launcher& launcher);
    // "В Excel": the working list (unsaved edits included) as a CSV table, into a file the user
    // chooses. False when cancelled or not written (the user has been told).
    bool exportCsv();

    // "Удалить остаток" has no action: a receipt is undone by a receipt of the opposite quantity.
    bool scanButtonEnabled() const { return scanButtonEnabled_; }
    // The receipt and open buttons and the two edits: enabled by the first scan.
    bool receiptControlsEnabled() const { return receiptControlsEnabled_; }

  private:
    Material blankRow(bool isGroup);
    void applyText(Material& row, int column, std::wstring_view text);
    void showMovementsOf(int row);

    TZMaterialBase& base_;
    UiServices& ui_;
    TZStaticArray<Material> rows_;
    std::int32_t maxId_ = 0;
    int selectedRow_ = -1;
    std::vector<MaterialBalance> allMovements_;
    std::vector<MaterialBalance> shownMovements_;
    bool scanButtonEnabled_ = true;
    bool receiptControlsEnabled_ = false;
};

namespace materialsForm {
inline constexpr wchar_t kChooseMaterial[] = L"Пожалуйста, выберите материал в таблице слева!";
inline constexpr wchar_t kReceiptPrefix[] = L"(пост.) ";
// A movement quantity at or below the negative of this is a receipt; offcuts of at least this
// magnitude are shown.
inline constexpr double kQuantityEpsilon = 0.01;
} // namespace materialsForm

} // namespace tenzora
