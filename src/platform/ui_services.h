#pragma once
// Messages, questions and file dialogs. Every fixed text reaches the user through this
// interface, so that tests can assert the exact text and script the answer, and the headless
// program can print it.

#include <optional>
#include <string>

namespace tenzora {

enum class MessageIcon { None, Error, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::wstring text;
    std::wstring caption; // empty: the program's name
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

// A file dialog. The filter is written as the program has always written it:
// "Text|pattern;pattern|Text|pattern|" (the trailing bars are optional).
struct FileDialogRequest {
    bool save = false;
    std::wstring title; // empty: the platform's default
    std::wstring filter;
    std::wstring defaultExtension; // without the dot, appended when the name has none
    std::wstring initialName;      // proposed file name
    std::wstring initialFolder;
    bool confirmOverwrite = false;        // save dialogs: ask before replacing a file
    bool mustExist = false;               // open dialogs: the chosen file must exist
    std::wstring* chosenFilter = nullptr; // when set, receives the text of the entry chosen
};

class UiServices {
  public:
    virtual ~UiServices() = default;

    virtual MessageAnswer message(const MessageRequest& request) = 0;
    // The chosen path, or none when the user cancelled.
    virtual std::optional<std::wstring> chooseFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::wstring> chooseFolder(const std::wstring& title,
                                                     const std::wstring& initialFolder) = 0;
    virtual void beep() = 0;

    // Shorthands for the common message forms.
    MessageAnswer error(const std::wstring& text, const std::wstring& caption = L"") {
        return message({text, caption, MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok});
    }
    MessageAnswer information(const std::wstring& text, const std::wstring& caption = L"") {
        return message({text, caption, MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok});
    }
    MessageAnswer exclamation(const std::wstring& text, const std::wstring& caption = L"") {
        return message({text, caption, MessageIcon::Exclamation, MessageButtons::Ok, MessageAnswer::Ok});
    }
};

// The headless default: records nothing on screen, answers the default of every question and
// cancels every dialog. The headless program derives from it to print the texts.
class SilentUiServices : public UiServices {
  public:
    MessageAnswer message(const MessageRequest& request) override { return request.defaultAnswer; }
    std::optional<std::wstring> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::wstring> chooseFolder(const std::wstring&, const std::wstring&) override {
        return std::nullopt;
    }
    void beep() override {}
};

} // namespace tenzora
