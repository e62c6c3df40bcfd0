// The drawing view's mouse and keys and the side panel's typed names and lengths, in any order,
// in any mode, at any position and view size: nothing may crash, and every side and diagonal
// must keep naming vertices of the outline.
//
// Input: a sequence of operations, each an operation byte followed by its arguments.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/editor_input.h"
#include "editor/side_panel_fields.h"
#include "editor/side_panel_figures.h"
#include "editor/side_panel_tree.h"
#include "fresh_project.h"
#include "model/ceiling.h"
#include "model/settings.h"
#include "platform/ui_services.h"
#include "seeds.h"

using namespace tenzora;

namespace {

// Enough steps to enter, close, drag and measure a small room; few enough to stay quick.
constexpr std::size_t kMaxOperations = 64;
constexpr int kMaxVertices = 40;
constexpr std::size_t kMaxTypedLength = 12;

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int coordinate() { return static_cast<std::int16_t>(byte() | (byte() << 8)); }
    std::wstring text() {
        const std::size_t n = byte() % (kMaxTypedLength + 1);
        std::wstring s;
        for (std::size_t i = 0; i < n; ++i)
            s.push_back(static_cast<wchar_t>(byte() | (byte() << 8)));
        return s;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

struct NoWindow : EditorWindow {
    void showCursorPosition(double, double) override {}
    void showRecord(int) override {}
    void openCanvas(int, int) override {}
    void setCursorShape(CursorShape) override {}
    void moveCursor(int, int) override {}
};

void checkRecords(const TZCeiling& doc) {
    const int n = doc.polygon.count();
    for (const Diagonal& d : doc.diagonals)
        if (d.a < 0 || d.a >= n || d.b < 0 || d.b >= n) std::abort();
}

enum Operation : std::uint8_t {
    LeftDown,
    LeftUp,
    Move,
    MiddleDown,
    MiddleUp,
    RightDown,
    Wheel,
    Escape,
    Mode,
    Switches,
    TypeName,
    TypeLength,
    SetLength,
    Refresh,
    OperationCount
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One document, made once (its undo buffers are costly) and reset before each input, so each
    // input starts from the same state.
    static SilentUiServices ui;
    static TZCeiling doc(ui, kNoProgramDir);
    resetToFreshEditing(doc);
    AppSettings settings;
    NoWindow window;
    EditorInput input(doc, settings, window);
    SidePanelFields fields(doc);
    doc.editor.mode = kModePoints;
    Reader in(data, size);
    for (std::size_t step = 0; step < kMaxOperations && !in.atEnd(); ++step) {
        const std::uint8_t op = in.byte() % OperationCount;
        PointerEvent e;
        if (op <= RightDown) {
            e.x = in.coordinate();
            e.y = in.coordinate();
            e.shift = (in.byte() & 1) != 0;
            e.viewWidth = in.byte() * 8;
            e.viewHeight = in.byte() * 8;
        }
        switch (op) {
        case LeftDown:
            if (doc.polygon.count() < kMaxVertices) input.leftDown(e);
            break;
        case LeftUp:
            input.leftUp(e);
            break;
        case Move:
            input.move(e);
            break;
        case MiddleDown:
            input.middleDown(e);
            break;
        case MiddleUp:
            input.middleUp(e);
            break;
        case RightDown:
            input.rightDown(e);
            break;
        case Wheel:
            input.wheel(static_cast<std::int16_t>(in.coordinate()));
            break;
        case Escape:
            input.escape();
            break;
        case Mode: {
            const std::uint8_t b = in.byte();
            doc.editor.mode = 4 + b % 7;
            doc.editor.pointTool = (b >> 3) % 4;
            doc.editor.diagonalTool = (b >> 5) % 3;
            break;
        }
        case Switches: {
            const std::uint8_t b = in.byte();
            doc.view.snapToGrid = (b & 1) != 0;
            doc.editor.dragging = (b & 2) != 0;
            doc.dragUpdatesSides = (b & 4) != 0;
            settings.dealerMode = (b & 8) != 0;
            doc.view.gridStep = (b >> 4) * 5.0;
            doc.view.scaleX = doc.view.scaleY = 0.05f + (b >> 4) * 0.5f;
            break;
        }
        case TypeName:
            fields.nameEdited(in.text());
            break;
        case TypeLength:
            fields.lengthEdited(in.text());
            break;
        case SetLength:
            fields.setLength();
            break;
        case Refresh:
            (void)panelFigures(doc);
            (void)buildPanelTree(doc, settings, {});
            break;
        default:
            break;
        }
        checkRecords(doc);
    }
    return 0;
}

namespace {

std::string event(Operation op, int x, int y) {
    std::string s(1, static_cast<char>(op));
    for (int v : {x, y}) {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    s += std::string{'\0', char(100), char(75)}; // no Shift; an 800 × 600 view
    return s;
}

std::string typed(Operation op, const std::string& text) {
    std::string s{static_cast<char>(op), static_cast<char>(text.size())};
    for (char c : text)
        s += std::string{c, '\0'};
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A room clicked out and closed, a side measured, a vertex dragged.
    std::string room;
    for (auto [x, y] : {std::pair{200, 150}, {600, 150}, {600, 450}, {200, 450}, {203, 152}})
        room += event(LeftDown, x, y) + event(LeftUp, x, y);
    room += typed(TypeName, "AB") + typed(TypeLength, "400") + std::string(1, char(SetLength));
    room += std::string{char(Mode), char(1)} + event(LeftDown, 600, 450) + event(Move, 650, 470) +
            event(LeftUp, 650, 470);
    // Panning, the ruler and Escape.
    std::string ruler = room + std::string{char(Mode), char(6)} + event(Move, 300, 300) +
                        event(LeftDown, 300, 300) + event(Move, 500, 300) + std::string(1, char(Escape)) +
                        std::string(1, char(Escape)) + event(LeftDown, 10, 10) + event(Move, 40, 20);
    writeSeeds({{"room", room}, {"ruler", ruler}});
    return 0;
}
