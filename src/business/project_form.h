#pragma once
// The logic of the project information dialog ("Информация о проекте"): what its fields show for
// the document, the city-dependent lists (ceiling types and extra works of the city), the extra
// works grid, the photo list, OK — which in a new project also starts the outline — and Cancel.
// The window binds its controls to `fields` and to the lists here, and keeps no rule of its own.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "business/client_text.h"
#include "business/grid_column.h"

namespace tenzora {

class ImageCodec;
class TZCeiling;

// The values of the dialog's controls.
struct ProjectInfoFields {
    std::wstring orderDate;     // 1538
    std::wstring orderNumber;   // 1214
    std::wstring orderName;     // 1116
    ClientRequisites client;    // 1540, 1226, 1234, 1240, 1248, 1656
    std::wstring note;          // 32505
    bool sentToWork = false;    // 1566
    int city = -1;              // selection of 1600, −1 none
    std::wstring ceilingType;   // text of 1164
    int harpoon = -1;           // selection of 1596, −1 none
    std::wstring lastCorner;    // 1228 "Последний угол:"
    std::wstring seamDirection; // 1168 "Направление швов:"
};

// A row of the extra works grid.
struct ExtraWorkRow {
    std::wstring name;
    double quantity = 0.0;
};

class ProjectForm {
  public:
    static constexpr std::array<const wchar_t*, 3> kHarpoonTexts = {L"Отсутствует", L"Видимый", L"Невидимый"};
    static constexpr std::array<GridColumnSpec, 3> kWorkColumns = {
        {{L"", 20}, {L"Дополнительная работа", 200}, {L"Количество", 80}}};
    static constexpr wchar_t kEnterOrderNumber[] = L"Пожалуйста, укажите номер заказа";
    // Without the photo list the extra works grid is this many dialog units taller.
    static constexpr int kGridGrowthWithoutPhotos = 70;

    // The document must outlive the form; prices are read from its program directory.
    explicit ProjectForm(TZCeiling& doc);

    // The first creation of the window: the cities of the price file (a single city is selected
    // at once, with its lists).
    void create();
    // Every showing: the fields from the document. `newProject` is set by "Новый проект".
    void show(bool newProject);
    bool isNewProject() const { return newProject_; }
    // The shape wizard made the outline: OK must not replace it with a new one.
    void clearNewProject() { newProject_ = false; }

    ProjectInfoFields fields;

    const std::vector<std::wstring>& cities() const { return cities_; }
    const std::vector<std::wstring>& ceilingTypes() const { return ceilingTypes_; }
    // A city chosen in 1600: the city's ceiling types and extra works (only when it differs from
    // the city the lists show).
    void changeCity(int city);

    // ---- extra works grid ---------------------------------------------------------------------------
    const std::vector<ExtraWorkRow>& workRows() const { return workRows_; }
    int workRowCount() const { return static_cast<int>(workRows_.size()); }
    std::wstring workCellText(int row, int column) const;
    // True when the edit appended a row.
    bool editWorkCell(int row, int column, std::wstring_view text);

    // ---- photos -----------------------------------------------------------------------------------
    // The list (and "Удалить фото") only when the project has photos.
    bool photoListShown() const;
    std::vector<std::wstring> photoPaths() const;
    bool addPhoto(ImageCodec& images);
    bool deletePhoto(int index);

    // ---- other buttons ------------------------------------------------------------------------------
    // "...": the requisites chosen in the client list.
    void takeClient(const ClientRequisites& client) { fields.client = client; }
    // "Выбор": corner n chosen in the corner picker names the last corner.
    void takeCornerCount(int n);
    // "Мастер": in a new project the order number must be filled first (the user is told).
    bool shapeWizardAllowed();

    // OK. False when the dialog stays open (a new project without an order number; the focus
    // then goes to 1214).
    bool accept();
    // Cancel: the dialog hides; a state undone before is restored again.
    void cancel();

  private:
    void loadCities();
    void rebuildCityLists(int city, const std::vector<ExtraWorkRow>& quantities);
    std::vector<ExtraWorkRow> documentWorks() const;

    TZCeiling& doc_;
    bool newProject_ = false;
    std::vector<std::wstring> cities_;
    std::vector<std::wstring> ceilingTypes_;
    std::vector<ExtraWorkRow> workRows_;
    int listsCity_ = -1;              // the city whose lists are shown
    std::wstring shownSeamDirection_; // what 1168 showed for the document
};

} // namespace tenzora
