#include "business/project_form.h"

#include "business/photos.h"
#include "business/text_case.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/names.h"
#include "model/shapes.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "storage/price_file.h"

namespace tenzora {

namespace {
// The first corner: a last corner of "A" (or none) starts an empty outline instead of a polygon.
constexpr wchar_t kFirstCorner[] = L"A";
} // namespace

ProjectForm::ProjectForm(TZCeiling& doc) : doc_(doc) {}

void ProjectForm::loadCities() {
    TZPriceFile prices;
    prices.load(doc_.programDir());
    cities_.assign(prices.cities.begin(), prices.cities.end());
}

void ProjectForm::create() {
    loadCities();
    if (cities_.size() == 1) changeCity(0);
}

std::vector<ExtraWorkRow> ProjectForm::documentWorks() const {
    std::vector<ExtraWorkRow> works;
    for (const TZDopRabObject& w : doc_.extraWorks)
        works.push_back({w.name, w.quantity});
    return works;
}

// The lists of a city: its ceiling types in file order; a row for each of its extra works in
// price-file order with the quantity given for that name (0 if none), then a row for each given
// work the city does not offer. A missing price file leaves no city.
void ProjectForm::rebuildCityLists(int city, const std::vector<ExtraWorkRow>& quantities) {
    TZPriceFile prices;
    prices.load(doc_.programDir());
    cities_.assign(prices.cities.begin(), prices.cities.end());
    if (city < 0 || city >= static_cast<int>(cities_.size())) city = -1;
    listsCity_ = city;
    fields.city = city;
    ceilingTypes_.clear();
    for (const TZPriceCeil& row : prices.ceilingPrices)
        if (row.city == city && city >= 0) ceilingTypes_.push_back(row.name);
    // The ceiling type list was filled again: nothing is selected in it.
    fields.ceilingType.clear();

    std::vector<ExtraWorkRow> rows;
    auto quantityOf = [&](const std::wstring& name) {
        for (const ExtraWorkRow& q : quantities)
            if (q.name == name) return q.quantity;
        return 0.0;
    };
    auto offered = [&](const std::wstring& name) {
        for (const TZPriceDop& w : prices.extraWorks)
            if (w.city == city && w.name == name) return true;
        return false;
    };
    if (city >= 0)
        for (const TZPriceDop& w : prices.extraWorks)
            if (w.city == city) rows.push_back({w.name, quantityOf(w.name)});
    for (const ExtraWorkRow& q : quantities)
        if (city < 0 || !offered(q.name)) rows.push_back(q);
    workRows_ = std::move(rows);
}

void ProjectForm::changeCity(int city) {
    if (city == listsCity_) return;
    // The quantities typed so far carry over to the works of the same name in the new city; a
    // work the new city does not offer keeps its row while it has a quantity.
    std::vector<ExtraWorkRow> typed;
    for (const ExtraWorkRow& row : workRows_)
        if (row.quantity > 0) typed.push_back(row);
    rebuildCityLists(city, typed);
}

void ProjectForm::show(bool newProject) {
    newProject_ = newProject;
    loadCities();
    fields.lastCorner = doc_.polygon.empty() ? std::wstring() : vertexName(doc_.polygon.count() - 1);
    fields.orderDate = doc_.orderDate;
    fields.orderNumber = doc_.orderNumber;
    fields.orderName = doc_.orderName;
    fields.client = splitClientText(doc_.client);
    fields.note = doc_.note;
    fields.sentToWork = doc_.sentToWork;
    if (doc_.city >= 0) {
        rebuildCityLists(doc_.city, documentWorks());
        for (const std::wstring& type : ceilingTypes_) {
            if (startsWithIgnoringCase(type, doc_.ceilingType)) {
                fields.ceilingType = type;
                break;
            }
        }
        fields.harpoon = doc_.harpoon < kHarpoonTexts.size() ? doc_.harpoon : -1;
    } else {
        // No city in the project: the city, ceiling type and harpoon chosen last stay selected as
        // the defaults of this project, but the extra works are the project's own — another
        // project's quantities must never be stored into this one.
        if (fields.city >= static_cast<int>(cities_.size())) fields.city = -1;
        const std::wstring keptType = fields.ceilingType;
        rebuildCityLists(fields.city, documentWorks());
        fields.ceilingType = keptType;
    }
    shownSeamDirection_ =
        doc_.seamFrom >= 0 && doc_.seamTo >= 0 ? pairName(doc_.seamFrom, doc_.seamTo) : std::wstring();
    fields.seamDirection = shownSeamDirection_;
}

std::wstring ProjectForm::workCellText(int row, int column) const {
    if (row < 0 || row >= workRowCount()) return {};
    const ExtraWorkRow& r = workRows_[static_cast<std::size_t>(row)];
    if (column == 1) return r.name;
    if (column == 2) return r.quantity > 0 ? formatNumber(r.quantity, 2, true) : std::wstring();
    return {};
}

bool ProjectForm::editWorkCell(int row, int column, std::wstring_view text) {
    if (row < 0 || row >= workRowCount() || (column != 1 && column != 2)) return false;
    if (column == 2) {
        // A quantity outside its range is refused: the row keeps what it held.
        const TypedValue v = readTypedValue(text, valueRange::kQuantity, L"Количество");
        if (v.refused()) {
            doc_.ui().exclamation(v.refusal);
            return false;
        }
    }
    const bool last = row == workRowCount() - 1;
    if (last) workRows_.emplace_back();
    ExtraWorkRow& r = workRows_[static_cast<std::size_t>(row)];
    if (column == 1)
        r.name = std::wstring(text);
    else
        r.quantity = readTypedNumber(text, DecimalComma::Accepted);
    return last;
}

bool ProjectForm::photoListShown() const {
    return !doc_.photos.empty();
}

std::vector<std::wstring> ProjectForm::photoPaths() const {
    std::vector<std::wstring> paths;
    for (const TZPicture& p : doc_.photos)
        paths.push_back(p.path);
    return paths;
}

bool ProjectForm::addPhoto(ImageCodec& images) {
    return tenzora::addPhoto(doc_, images);
}

bool ProjectForm::deletePhoto(int index) {
    return tenzora::deletePhoto(doc_, index);
}

void ProjectForm::takeCornerCount(int n) {
    fields.lastCorner = vertexName(n - 1);
}

bool ProjectForm::shapeWizardAllowed() {
    if (newProject_ && trimBlanks(fields.orderNumber).empty()) {
        doc_.ui().exclamation(kEnterOrderNumber);
        return false;
    }
    return true;
}

bool ProjectForm::accept() {
    doc_.takeSnapshot();
    if (newProject_) {
        if (trimBlanks(fields.orderNumber).empty()) {
            doc_.ui().exclamation(kEnterOrderNumber);
            return false;
        }
        // The outline starts here: an empty one, or the regular polygon up to the last corner
        // (which reports a name it cannot read). Either resets the project once more.
        const std::wstring lastCorner = trimBlanks(applyNameKeys(fields.lastCorner));
        if (lastCorner.empty() || lastCorner == kFirstCorner)
            doc_.newProjectAndShow();
        else
            generateRegularPolygon(doc_, lastCorner);
        doc_.editor.mode = kModePoints;
        doc_.outlineFormed = false;
    }
    doc_.orderNumber = fields.orderNumber;
    doc_.orderDate = fields.orderDate;
    doc_.orderName = fields.orderName;
    doc_.client = joinClientText(fields.client);
    doc_.note = fields.note;
    doc_.sentToWork = fields.sentToWork;

    // The field shows the seam side lower point first; read back unchanged it would turn a seam
    // side entered the other way round, so only a changed text is read.
    const std::wstring seam = trimBlanks(applyNameKeys(fields.seamDirection));
    if (!seam.empty() && seam != shownSeamDirection_) {
        const auto pair = parsePairName(seam);
        doc_.seamFrom = pair ? pair->first : -1;
        doc_.seamTo = pair ? pair->second : -1;
    }

    doc_.city = fields.city >= 0 && fields.city < static_cast<int>(cities_.size()) ? fields.city : -1;
    doc_.ceilingType = fields.ceilingType;
    if (fields.harpoon >= 0 && fields.harpoon < static_cast<int>(kHarpoonTexts.size()))
        doc_.harpoon = static_cast<std::uint8_t>(fields.harpoon);
    doc_.extraWorks.clear();
    for (const ExtraWorkRow& row : workRows_)
        if (row.quantity > 0) doc_.extraWorks.append({row.name, row.quantity});

    doc_.rebuildTitle();
    return true;
}

void ProjectForm::cancel() {
    if (doc_.history.undoPos < doc_.history.undoCount - 1) doc_.redo();
}

} // namespace tenzora
