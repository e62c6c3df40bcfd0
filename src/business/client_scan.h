#pragma once
// The client list: there is no client database; the list is gathered from the order fields of
// every project file in the drawing folders, grouped by client name, with the number of orders
// and the sum of the prices the files carry in their headers.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "business/drawing_folders.h"

namespace tenzora {

// One client.
struct TZClientsList {
    std::int32_t id = 0; // 1-based position in the list, given when the client is first met
    std::wstring name;
    std::wstring inn;
    std::wstring kpp;
    std::wstring address;
    std::wstring account;
    std::wstring phone;
    std::int32_t orderCount = 0;
    double priceSum = 0.0;
};

// One project of a client.
struct TZCeilsList {
    std::int32_t clientId = 0;
    std::wstring orderName;
    std::wstring orderDate;
    std::wstring orderNumber;
    std::wstring price; // the price tag of the file header as text
    std::wstring path;
};

struct ClientScan {
    std::vector<TZClientsList> clients;
    std::vector<TZCeilsList> projects; // in scan order
};

// What the client list takes from one project file (texts as stored, Windows-1251).
struct ClientFields {
    std::string price;       // after the first "$" of the header; empty without one
    std::string orderDate;   // field 5
    std::string client;      // field 10
    std::string orderName;   // field 11
    std::string orderNumber; // field 12
};

// Reads the header and fields 2 … 12 of a project file. The header must begin with "Tenzora",
// directly or after unscrambling. None for a foreign file or a diagonal count beyond what the
// project reader accepts.
std::optional<ClientFields> readClientFields(std::string_view imageBytes);

// Builds the list project by project.
class ClientListBuilder {
  public:
    // A project without a client name is not listed. The client is found by its exact name
    // (case-sensitive) or appended; each of its empty requisites takes the project's value when
    // that is not empty, so the first non-empty value found wins.
    void add(const ClientFields& fields, const std::wstring& path);
    const ClientScan& scan() const { return scan_; }
    ClientScan take() { return std::move(scan_); }

  private:
    ClientScan scan_;
    std::unordered_map<std::wstring, std::size_t> clientByName_;
};

// The scan over the drawing folders (folders in list order, files by name).
ClientScan scanClients(std::span<const std::wstring> folders, const ScanProgress& progress = {});

// Told after each file of a scan that can be cancelled: files done so far and the number found.
// Returning false stops the scan.
using ScanStep = std::function<bool(std::size_t done, std::size_t total)>;

// The same scan, stopped when `step` says so: none when it was stopped, so that a cancelled scan
// leaves whatever list was shown before as it was.
std::optional<ClientScan> scanClientsUnlessCancelled(std::span<const std::wstring> folders,
                                                     const ScanStep& step);

} // namespace tenzora
