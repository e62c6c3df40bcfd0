#include "platform/text_measurer.h"

namespace tenzora {

void TextMeasurer::characterAdvances(const Font& font, std::wstring_view text,
                                     std::vector<double>& out) const {
    out.clear();
    double before = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const double upTo = advance(font, text.substr(0, i));
        out.push_back(upTo - before);
        before = upTo;
    }
}

} // namespace tenzora
