#pragma once
// Test doubles of the platform interfaces: a UiServices that records every message and answers
// from a script, a DocumentViews that counts refreshes, and a document with both attached.

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/ceiling.h"
#include "model/document_views.h"
#include "platform/launcher.h"
#include "platform/ui_services.h"

namespace tenzora {

class ScriptedUi : public UiServices {
  public:
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<std::wstring> chooseFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> chooseFolder(const std::wstring& title, const std::wstring& initial) override;
    void beep() override { ++beeps; }

    // Every message shown, in order.
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> fileDialogs;
    // Answers to questions, used in order; when empty, the request's default answer.
    std::deque<MessageAnswer> answers;
    // Paths returned by file dialogs, in order; an empty string cancels; when empty, cancelled.
    std::deque<std::wstring> files;
    // The filter entry each file dialog reports as chosen, in order; when empty, none.
    std::deque<std::wstring> filterChoices;
    int beeps = 0;

    std::vector<std::wstring> texts() const;
    bool saw(const std::wstring& text) const;
};

class RecordingViews : public DocumentViews {
  public:
    void refreshFigures() override { ++figures; }
    void rebuildTree() override { ++trees; }
    void repaint() override { ++repaints; }
    void setTitle(const std::wstring& t) override { title = t; }
    void clientSize(int& w, int& h) override {
        w = width;
        h = height;
    }
    void showCuttingDialog() override { ++cuttingDialogs; }
    // Saves as the window does: the document's own "Сохранить как ...".
    bool saveProjectAs() override { return doc != nullptr && doc->saveAs(); }
    TZCeiling* doc = nullptr;
    int figures = 0, trees = 0, repaints = 0, cuttingDialogs = 0;
    int width = 800, height = 600;
    std::wstring title;
};

// A document with a scripted UI; views are attached on request (as when the window exists).
struct TestDocument {
    explicit TestDocument(bool withWindow = false, std::filesystem::path programDir = {});
    ScriptedUi ui;
    RecordingViews views;
    std::unique_ptr<TZCeiling> doc;
    TZCeiling& operator*() { return *doc; }
    TZCeiling* operator->() { return doc.get(); }
};

// A fresh temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// Builds an outline from coordinates with its sides (and marks it defined).
void setOutline(TZCeiling& doc, const std::vector<std::pair<double, double>>& points, bool withSides = true);

// A launcher for tests that start nothing they wait for: a watched program is started like any
// other and never reported ended, and no program runs to its end.
class FakeLauncherBase : public Launcher {
  public:
    bool startWatched(const std::wstring& program, const std::vector<std::wstring>& arguments,
                      std::function<void()>) override {
        return startProgram(program, arguments);
    }
    int runToEnd(const std::wstring&, const std::vector<std::wstring>&, int) override {
        return kRunNotStarted;
    }
};

} // namespace tenzora
