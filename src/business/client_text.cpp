#include "business/client_text.h"

#include <array>

namespace tenzora {

std::wstring joinClientText(const ClientRequisites& client) {
    if (!client.hasRequisites()) return client.name;
    std::wstring text = client.name;
    for (const std::wstring* field :
         {&client.inn, &client.kpp, &client.address, &client.account, &client.phone}) {
        text += kClientSeparator;
        text += *field;
    }
    return text;
}

ClientRequisites splitClientText(std::wstring_view text) {
    ClientRequisites client;
    const std::size_t first = text.find(kClientSeparator);
    if (first == std::wstring_view::npos || first == 0) {
        client.name = std::wstring(text);
        return client;
    }
    const std::array<std::wstring*, 6> fields = {&client.name,    &client.inn,     &client.kpp,
                                                 &client.address, &client.account, &client.phone};
    std::size_t start = 0;
    for (std::wstring* field : fields) {
        const std::size_t end = text.find(kClientSeparator, start);
        *field = std::wstring(text.substr(start, end == std::wstring_view::npos ? text.npos : end - start));
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return client;
}

} // namespace tenzora
