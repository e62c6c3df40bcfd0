#include "support/fakes.h"

#include <algorithm>
#include <random>

namespace tenzora {

MessageAnswer ScriptedUi::message(const MessageRequest& request) {
    messages.push_back(request);
    if (request.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return request.defaultAnswer;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<std::wstring> ScriptedUi::chooseFile(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    if (request.chosenFilter != nullptr && !filterChoices.empty()) {
        *request.chosenFilter = filterChoices.front();
        filterChoices.pop_front();
    }
    if (files.empty()) return std::nullopt;
    std::wstring f = files.front();
    files.pop_front();
    if (f.empty()) return std::nullopt;
    return f;
}

std::optional<std::wstring> ScriptedUi::chooseFolder(const std::wstring&, const std::wstring&) {
    if (files.empty()) return std::nullopt;
    std::wstring f = files.front();
    files.pop_front();
    if (f.empty()) return std::nullopt;
    return f;
}

std::vector<std::wstring> ScriptedUi::texts() const {
    std::vector<std::wstring> out;
    for (const MessageRequest& m : messages)
        out.push_back(m.text);
    return out;
}

bool ScriptedUi::saw(const std::wstring& text) const {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const MessageRequest& m) { return m.text == text; });
}

TestDocument::TestDocument(bool withWindow, std::filesystem::path programDir) {
    // Without a program directory of its own, the document looks in a folder that does not exist,
    // so that no test reads or rewrites a materials base left somewhere by something else.
    doc = std::make_unique<TZCeiling>(ui, programDir.empty() ? std::filesystem::temp_directory_path() /
                                                                   "tenzora-tests-no-program-dir"
                                                             : programDir);
    views.doc = doc.get();
    if (withWindow) doc->setViews(&views);
}

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("tenzora-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
}

void setOutline(TZCeiling& doc, const std::vector<std::pair<double, double>>& points, bool withSides) {
    doc.polygon.clear();
    doc.diagonals.clear();
    for (auto [x, y] : points)
        doc.polygon.append(makeVertex(x, y));
    doc.polygon.defined = true;
    if (!withSides) return;
    const int n = doc.polygon.count();
    for (int i = 0; i < n; ++i) {
        Diagonal d;
        d.a = i;
        d.b = (i + 1) % n;
        d.isSide = 1;
        doc.diagonals.append(d);
    }
}

} // namespace tenzora
