#include "business/clients_form.h"

#include <cmath>
#include <cstdio>

#include "business/csv_tables.h"
#include "business/new_instance.h"

namespace tenzora {

ClientsForm::ClientsForm(UiServices& ui, bool chooseMode) : ui_(ui), chooseMode_(chooseMode) {}

void ClientsForm::scan(std::span<const std::wstring> folders, const ScanProgress& progress) {
    scan_ = scanClients(folders, progress);
    selectedId_ = 0;
    chosen_ = {};
    shownProjects_.clear();
}

bool ClientsForm::scanUnlessCancelled(std::span<const std::wstring> folders, const ScanStep& step) {
    std::optional<ClientScan> scan = scanClientsUnlessCancelled(folders, step);
    if (!scan) return false;
    scan_ = std::move(*scan);
    selectedId_ = 0;
    chosen_ = {};
    shownProjects_.clear();
    return true;
}

std::wstring ClientsForm::clientText(int row, int column) const {
    if (row < 0 || row >= clientCount()) return {};
    const TZClientsList& c = scan_.clients[static_cast<std::size_t>(row)];
    switch (column) {
    case 0:
        return c.name;
    case 1:
        return c.phone;
    case 2:
        return c.inn;
    case 3:
        return c.kpp;
    case 4:
        return c.address;
    case 5:
        return c.account;
    case 6:
        return std::to_wstring(c.orderCount);
    case 7: {
        wchar_t text[64];
        // A sum from damaged price tags can be huge: exponent form rather than hundreds of digits.
        std::swprintf(text, std::size(text), std::fabs(c.priceSum) < 1e15 ? L"%.0f" : L"%.0e", c.priceSum);
        return text;
    }
    default:
        return {};
    }
}

void ClientsForm::selectClient(int row) {
    if (row < 0 || row >= clientCount()) return;
    const TZClientsList& c = scan_.clients[static_cast<std::size_t>(row)];
    selectedId_ = c.id;
    chosen_ = {c.name, c.inn, c.kpp, c.address, c.account, c.phone};
    shownProjects_.clear();
    for (std::size_t i = 0; i < scan_.projects.size(); ++i)
        if (scan_.projects[i].clientId == c.id) shownProjects_.push_back(i);
}

std::wstring ClientsForm::projectText(int row, int column) const {
    if (row < 0 || row >= projectCount()) return {};
    const TZCeilsList& p = scan_.projects[shownProjects_[static_cast<std::size_t>(row)]];
    switch (column) {
    case 0:
        return p.orderName;
    case 1:
        return p.orderDate;
    case 2:
        return p.orderNumber;
    case 3:
        return p.price;
    default:
        return {};
    }
}

bool ClientsForm::openProject(int row, Launcher& launcher) {
    if (selectedId_ == 0 || row < 0 || row >= projectCount()) return false;
    return openInNewInstance(launcher, ui_,
                             scan_.projects[shownProjects_[static_cast<std::size_t>(row)]].path);
}

bool ClientsForm::exportCsv() {
    const std::optional<std::wstring> path = chooseCsvFile(ui_);
    return path && writeClientsCsv(ui_, *path, scan_.clients);
}

} // namespace tenzora
