#pragma once
// The columns of the grid control: caption, width with its limits, alignment, visibility and the
// switches that decide whether a column's cells can be chosen and edited. Every change is
// reported to the grid, which lays itself out again or repaints.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tenzora {

enum class GridAlignment : int { Left = 0, Right = 1, Centre = 2 };

class CGridColumns;

class CGridColumn {
  public:
    static constexpr int kDefaultWidth = 64;
    static constexpr int kDefaultMinWidth = 0;
    static constexpr int kDefaultMaxWidth = 10000;

    int width() const { return width_; }
    // Clamped to [minWidth, maxWidth].
    void setWidth(int width);
    int minWidth() const { return minWidth_; }
    int maxWidth() const { return maxWidth_; }
    // Setting a limit re-clamps the width; a maximum below the minimum is raised to it.
    void setMinWidth(int width);
    void setMaxWidth(int width);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    std::intptr_t data() const { return data_; } // the client's own value
    void setData(std::intptr_t data) { data_ = data; }
    GridAlignment alignment() const { return alignment_; }
    void setAlignment(GridAlignment alignment);
    int option() const { return option_; }
    void setOption(int option);
    const std::wstring& secondText() const { return secondText_; }
    void setSecondText(std::wstring text);
    const std::wstring& caption() const { return caption_; }
    void setCaption(std::wstring caption);
    // Further switches: cells that cannot be edited, and cells that do not take the cursor.
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    bool selectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }

  private:
    friend class CGridColumns;
    void changed(bool layout);

    CGridColumns* owner_ = nullptr;
    int width_ = kDefaultWidth;
    int minWidth_ = kDefaultMinWidth;
    int maxWidth_ = kDefaultMaxWidth;
    bool visible_ = true;
    std::intptr_t data_ = 0;
    GridAlignment alignment_ = GridAlignment::Left;
    int option_ = 0;
    std::wstring secondText_;
    std::wstring caption_;
    bool readOnly_ = false;
    bool selectable_ = true;
};

class CGridColumns {
  public:
    // What changed: the layout (widths, visibility) or only the looks.
    using Listener = std::function<void(int column, bool layout)>;

    int count() const { return static_cast<int>(columns_.size()); }
    CGridColumn& operator[](int index) { return *columns_.at(static_cast<std::size_t>(index)); }
    const CGridColumn& operator[](int index) const { return *columns_.at(static_cast<std::size_t>(index)); }
    CGridColumn& add(std::wstring caption, int width = CGridColumn::kDefaultWidth,
                     GridAlignment alignment = GridAlignment::Left);
    // Columns added or removed at the end; new ones have the defaults.
    void setCount(int count);
    void clear() { setCount(0); }
    void setListener(Listener listener) { listener_ = std::move(listener); }

  private:
    friend class CGridColumn;
    void notify(const CGridColumn& column, bool layout);

    std::vector<std::unique_ptr<CGridColumn>> columns_;
    Listener listener_;
};

} // namespace tenzora
