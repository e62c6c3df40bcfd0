#pragma once
// Conversions between the core's wide texts and Qt strings.

#include <QString>
#include <string>

namespace tenzora {

inline QString toQt(const std::wstring& text) {
    return QString::fromStdWString(text);
}
inline std::wstring fromQt(const QString& text) {
    return text.toStdWString();
}

} // namespace tenzora
