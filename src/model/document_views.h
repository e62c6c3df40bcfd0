#pragma once
// What the document asks of the window after a change: refresh the side panel, repaint the
// drawing, rebuild the title. Held by the document; null while headless. The model-side effects
// of these refreshes are done by the document itself, so headless runs behave the same.

#include <string>

namespace tenzora {

class DocumentViews {
  public:
    virtual ~DocumentViews() = default;
    virtual void refreshFigures() = 0; // the side panel's figures and fields
    virtual void rebuildTree() = 0;    // the side panel's tree and lists
    virtual void repaint() = 0;        // the drawing view
    virtual void setTitle(const std::wstring& title) = 0;
    // The drawing view's client size in pixels.
    virtual void clientSize(int& width, int& height) = 0;
    // Shows the cutting layout dialog (when the cutting mode is entered).
    virtual void showCuttingDialog() = 0;
    // "Сохранить как ..." for the document's question before a new project replaces a modified
    // one: the save dialog, then the file. False when cancelled or not saved. The saving itself
    // prices the project for the file's header, which is work of a layer above the document, so
    // the document asks the window (the only one that asks the question) to do it.
    virtual bool saveProjectAs() = 0;
};

} // namespace tenzora
