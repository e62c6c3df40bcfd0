#include "grid/grid_columns.h"

#include <algorithm>

namespace tenzora {

void CGridColumn::changed(bool layout) {
    if (owner_ != nullptr) owner_->notify(*this, layout);
}

void CGridColumn::setWidth(int width) {
    width_ = std::clamp(width, minWidth_, maxWidth_);
    changed(true);
}

void CGridColumn::setMinWidth(int width) {
    minWidth_ = std::max(0, width);
    maxWidth_ = std::max(maxWidth_, minWidth_);
    setWidth(width_);
}

void CGridColumn::setMaxWidth(int width) {
    maxWidth_ = std::max(width, minWidth_);
    setWidth(width_);
}

void CGridColumn::setVisible(bool visible) {
    visible_ = visible;
    changed(true);
}

void CGridColumn::setAlignment(GridAlignment alignment) {
    alignment_ = alignment;
    changed(false);
}

void CGridColumn::setOption(int option) {
    option_ = option;
    changed(false);
}

void CGridColumn::setSecondText(std::wstring text) {
    secondText_ = std::move(text);
    changed(false);
}

void CGridColumn::setCaption(std::wstring caption) {
    caption_ = std::move(caption);
    changed(false);
}

void CGridColumn::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    changed(false);
}

CGridColumn& CGridColumns::add(std::wstring caption, int width, GridAlignment alignment) {
    setCount(count() + 1);
    CGridColumn& column = *columns_.back();
    column.setCaption(std::move(caption));
    column.setWidth(width);
    column.setAlignment(alignment);
    return column;
}

void CGridColumns::setCount(int count) {
    count = std::max(0, count);
    while (this->count() > count)
        columns_.pop_back();
    while (this->count() < count) {
        columns_.push_back(std::make_unique<CGridColumn>());
        columns_.back()->owner_ = this;
    }
    if (listener_) listener_(-1, true);
}

void CGridColumns::notify(const CGridColumn& column, bool layout) {
    if (!listener_) return;
    for (int i = 0; i < count(); ++i)
        if (columns_[static_cast<std::size_t>(i)].get() == &column) listener_(i, layout);
}

} // namespace tenzora
