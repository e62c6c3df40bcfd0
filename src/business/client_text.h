#pragma once
// The client of a project is one text: the client's name, or — once any requisite is filled —
// the name and the five requisites joined by "¬". The project information dialog joins it, and
// the dialog and the client list split it again by position.

#include <string>
#include <string_view>

namespace tenzora {

inline constexpr wchar_t kClientSeparator = L'\u00AC'; // "¬"

struct ClientRequisites {
    std::wstring name;
    std::wstring inn;     // ИНН
    std::wstring kpp;     // КПП
    std::wstring address; // Адрес
    std::wstring account; // Р/счет
    std::wstring phone;   // Телефон

    bool hasRequisites() const {
        return !inn.empty() || !kpp.empty() || !address.empty() || !account.empty() || !phone.empty();
    }
    friend bool operator==(const ClientRequisites&, const ClientRequisites&) = default;
};

// The bare name when every requisite is empty; otherwise name, ИНН, КПП, address, account and
// phone joined in this order by five separators, empty fields included.
std::wstring joinClientText(const ClientRequisites& client);

// Splits at every separator into the six fields by position: an empty field between two
// separators stays empty, missing fields at the end are empty, and text after a sixth separator
// is ignored. A text without a separator, or whose first character is one, is the name alone.
ClientRequisites splitClientText(std::wstring_view text);

} // namespace tenzora
