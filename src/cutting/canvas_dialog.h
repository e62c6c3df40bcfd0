#pragma once
// The logic of the canvas dialog ("Полотно"): the point list of the canvas the user clicked in
// the cutting mode. The window (CPolotno) shows caption() as its title and text() in its edit.

#include <string>

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;

inline constexpr wchar_t kCanvasDialogCaption[] = L"Полотно";
inline constexpr wchar_t kCanvasCaptionPrefix[] = L"Полотно № ";

class CanvasDialog {
  public:
    // Canvas `number` (1-based) whose upper seam line starts at `reference`: the caption and
    // the text of its piece; the dialog is then shown.
    void showCanvas(TZCeiling& doc, int number, const Vertex& reference);

    const std::wstring& caption() const { return caption_; }
    const std::wstring& text() const { return text_; } // edit 1160
    bool visible() const { return visible_; }
    void hide() { visible_ = false; }

  private:
    std::wstring caption_ = kCanvasDialogCaption;
    std::wstring text_;
    bool visible_ = false;
};

} // namespace tenzora
