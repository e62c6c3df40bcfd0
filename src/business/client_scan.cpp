#include "business/client_scan.h"

#include "business/client_text.h"
#include "business/image_cursor.h"
#include "model/typed_number.h"
#include "storage/codepage.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/project_file.h"
#include "storage/project_image.h"

namespace {

constexpr std::string_view kHeaderStart = "Tenzora";
constexpr std::size_t kDiagonalBytes = 26;

bool headerBegins(ImageCursor& c, std::string& price) {
    const auto header = c.readString();
    if (!header || !header->starts_with(kHeaderStart)) return false;
    const std::size_t dollar = header->find('$');
    price = dollar == std::string_view::npos ? std::string() : std::string(header->substr(dollar + 1));
    return true;
}

std::string text(std::optional<std::string_view> s) {
    return s ? std::string(*s) : std::string();
}

std::optional<ClientFields> readBody(ImageCursor& c, ClientFields f) {
    c.readByte();                         // 2
    c.readInt32();                        // 3
    c.readInt32();                        // 4
    f.orderDate = text(c.readString());   // 5
    const std::int32_t n = c.readInt32(); // 6
    if (n > projectImage::kMaxListCount) return std::nullopt;
    c.skipItems(n, kDiagonalBytes);       // 7
    c.readDouble();                       // 8
    c.readInt32();                        // 9
    f.client = text(c.readString());      // 10
    f.orderName = text(c.readString());   // 11
    f.orderNumber = text(c.readString()); // 12
    return f;
}

// Fills each empty requisite from the project's value.
void takeMissing(std::wstring& requisite, const std::wstring& value) {
    if (requisite.empty() && !value.empty()) requisite = value;
}

} // namespace

std::optional<ClientFields> readClientFields(std::string_view imageBytes) {
    ClientFields f;
    ImageCursor plain(imageBytes);
    if (headerBegins(plain, f.price)) return readBody(plain, std::move(f));
    // Older files were stored scrambled (with K2, then K1): undone in the reverse order.
    TZDynamicMemory stream;
    if (!stream.assign(imageBytes)) return std::nullopt;
    stream.unscramble(scrambleKeys::K1);
    stream.unscramble(scrambleKeys::K2);
    ImageCursor unscrambled(stream.bytes());
    if (!headerBegins(unscrambled, f.price)) return std::nullopt;
    return readBody(unscrambled, std::move(f));
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
