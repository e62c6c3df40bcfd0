#pragma once
// The logic of the client list dialog ("Клиенты"): the scan, the texts of its two grids, the
// selected client whose projects fill the second grid, "Выбрать" in choose mode (the requisites
// handed back to the project information dialog) and "Открыть потолок".

#include <array>
#include <span>
#include <string>
#include <vector>

#include "business/client_scan.h"
#include "business/client_text.h"
#include "business/grid_column.h"

namespace tenzora {

class Launcher;
class UiServices;

class ClientsForm {
  public:
    static constexpr std::array<GridColumnSpec, 8> kClientColumns = {{{L"Клиент", 150},
                                                                      {L"Телефон", 100},
                                                                      {L"ИНН", 30},
                                                                      {L"КПП", 30},
                                                                      {L"Адрес", 165},
                                                                      {L"Р/с", 30},
                                                                      {L"Кол-во", 50},
                                                                      {L"Сумма", 60}}};
    static constexpr std::array<GridColumnSpec, 4> kProjectColumns = {
        {{L"Название", 120}, {L"Дата", 70}, {L"Договор", 50}, {L"Цена", 80}}};

    // In choose mode "Выбрать" is enabled and hands the selected client's requisites back.
    ClientsForm(UiServices& ui, bool chooseMode);

    bool chooseEnabled() const { return chooseMode_; }

    // "Обновить" (and every showing): the lists gathered again; no client selected.
    void scan(std::span<const std::wstring> folders, const ScanProgress& progress = {});
    // The same scan, stopped when `step` says so; a stopped scan changes nothing (the lists, the
    // selected client and the chosen requisites stay as they were) and returns false.
    bool scanUnlessCancelled(std::span<const std::wstring> folders, const ScanStep& step);
    const ClientScan& result() const { return scan_; }

    int clientCount() const { return static_cast<int>(scan_.clients.size()); }
    std::wstring clientText(int row, int column) const;
    // A row of the client grid became current: its projects fill the project grid.
    void selectClient(int row);
    std::int32_t selectedClientId() const { return selectedId_; }

    int projectCount() const { return static_cast<int>(shownProjects_.size()); }
    std::wstring projectText(int row, int column) const;

    // "Выбрать": name, ИНН, КПП, address, account and phone of the selected client (all empty
    // when none is selected).
    const ClientRequisites& chosen() const { return chosen_; }

    // "Открыть потолок": the project in the given row of the project grid, in a new instance.
    bool openProject(int row, Launcher& launcher);
    // "В Excel": the client list as a CSV table, into a file the user chooses. False when
    // cancelled or not written (the user has been told).
    bool exportCsv();

  private:
    UiServices& ui_;
    bool chooseMode_;
    ClientScan scan_;
    std::int32_t selectedId_ = 0; // 0: none
    ClientRequisites chosen_;
    std::vector<std::size_t> shownProjects_; // indexes into scan_.projects
};

} // namespace tenzora
