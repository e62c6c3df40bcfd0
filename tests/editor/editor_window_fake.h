#pragma once
// An EditorWindow that records what the editor asked of the window.

#include <utility>
#include <vector>

#include "editor/editor_input.h"

namespace tenzora {

struct RecordingEditorWindow : EditorWindow {
    void showCursorPosition(double x, double y) override { cursor = {x, y}; }
    void showRecord(int record) override { shownRecords.push_back(record); }
    void openCanvas(int number, int reference) override { canvases.emplace_back(number, reference); }
    void setCursorShape(CursorShape s) override { shape = s; }
    void moveCursor(int x, int y) override { movedTo.emplace_back(x, y); }

    std::pair<double, double> cursor{0, 0};
    std::vector<int> shownRecords;
    std::vector<std::pair<int, int>> canvases;
    std::vector<std::pair<int, int>> movedTo;
    CursorShape shape = CursorShape::Arrow;
};

} // namespace tenzora
