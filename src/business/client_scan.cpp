#include "business/client_scan.h"

#include "business/client_text.h"
#include "business/image_cursor.h"
#include "business/project_file.h"
#include "model/typed_number.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/image_io.h"
#include "storage/project_head.h"

namespace tenzora {

namespace {

constexpr std::string_view kHeaderStart = "Tenzora";

bool headerBegins(ImageCursor& c, std::string& price) {
    const auto header = c.readString();
    if (!header || !header->starts_with(kHeaderStart)) return false;
    const std::size_t dollar = header->find('$');
    price = dollar == std::string_view::npos ? std::string() : std::string(header->substr(dollar + 1));
    return true;
}

// Fields 2 … 12 after the header, read as the project reader reads them.
std::optional<ClientFields> readFields(ImageCursor& c, ClientFields f) {
    ProjectHead head;
    ImageReader<ImageCursor, ListReading::Skip> reader(c, 12);
    visitProjectHead(reader, head);
    if (reader.damaged()) return std::nullopt;
    f.orderDate = std::move(head.orderDate);
    f.client = std::move(head.client);
    f.orderName = std::move(head.orderName);
    f.orderNumber = std::move(head.orderNumber);
    return f;
}

// Fills each empty requisite from the project's value.
void takeMissing(std::wstring& requisite, const std::wstring& value) {
    if (requisite.empty() && !value.empty()) requisite = value;
}

} // namespace

std::optional<ClientFields> readClientFields(std::string_view imageBytes) {
    ClientFields f;
    return readAcceptedImage(
        imageBytes, [&f](ImageCursor& c) { return headerBegins(c, f.price); },
        [&f](ImageCursor& c) { return readFields(c, std::move(f)); });
}

void ClientListBuilder::add(const ClientFields& fields, const std::wstring& path) {
    const ClientRequisites project = splitClientText(codepage::fromCp1251(fields.client));
    if (project.name.empty()) return;
    const auto [found, isNew] = clientByName_.try_emplace(project.name, scan_.clients.size());
    if (isNew) {
        TZClientsList added;
        added.id = static_cast<std::int32_t>(scan_.clients.size()) + 1;
        added.name = project.name;
        scan_.clients.push_back(std::move(added));
    }
    TZClientsList* client = &scan_.clients[found->second];
    takeMissing(client->inn, project.inn);
    takeMissing(client->kpp, project.kpp);
    takeMissing(client->address, project.address);
    takeMissing(client->account, project.account);
    takeMissing(client->phone, project.phone);

    TZCeilsList entry;
    entry.clientId = client->id;
    entry.orderName = codepage::fromCp1251(fields.orderName);
    entry.orderDate = codepage::fromCp1251(fields.orderDate);
    entry.orderNumber = codepage::fromCp1251(fields.orderNumber);
    entry.price = codepage::fromCp1251(fields.price);
    entry.path = path;
    client->orderCount += 1;
    client->priceSum += readTypedNumber(entry.price);
    scan_.projects.push_back(std::move(entry));
}

std::optional<ClientScan> scanClientsUnlessCancelled(std::span<const std::wstring> folders,
                                                     const ScanStep& step) {
    ClientListBuilder builder;
    const std::vector<ProjectFileEntry> files = listProjectFiles(folders);
    std::string bytes;
    std::size_t done = 0;
    for (const ProjectFileEntry& file : files) {
        if (readWholeFile(file.fsPath, projectFile::kMaxProjectBytes, bytes) == ReadStatus::Ok)
            if (const std::optional<ClientFields> fields = readClientFields(bytes))
                builder.add(*fields, file.path);
        ++done;
        if (step && !step(done, files.size())) return std::nullopt;
    }
    return builder.take();
}

ClientScan scanClients(std::span<const std::wstring> folders, const ScanProgress& progress) {
    std::optional<ClientScan> scan =
        scanClientsUnlessCancelled(folders, [&](std::size_t done, std::size_t total) {
            if (progress) progress(done, total);
            return true;
        });
    return std::move(*scan);
}

} // namespace tenzora
