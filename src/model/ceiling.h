#pragma once
// TZCeiling: the one project document of the program. It holds the saved project (the room
// outline with its measurements, the constructions and cutouts, the cutting layout, the project's
// material, the order data, the photos) and, as named parts of their own: the view (`view`), the
// editor's state (`editor`), the undo history (`history`) and the program's resources
// (`resources`: the materials base, logos, print forms and report templates, owned by the
// application object).
//
// Members keep the names the rest of the program knows them by. Where the document refers to an
// element of one of its lists (the dragged vertex, the selected record, the shown photo …) it
// holds the element's index, −1 for none: indexes survive the growth of a list, and they are
// exactly what the project file stores.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/add_point.h"
#include "model/construction.h"
#include "model/cutout.h"
#include "model/document_views.h"
#include "model/editor_state.h"
#include "model/extra_work.h"
#include "model/picture.h"
#include "model/polygon.h"
#include "model/pricing_options.h"
#include "model/program_resources.h"
#include "model/static_array.h"
#include "model/undo_history.h"
#include "model/view_state.h"
#include "platform/ui_services.h"
#include "storage/material.h"
#include "storage/program_directory.h"

namespace tenzora {

struct AppSettings;

// Triangle side preferences of a vertex.
inline constexpr std::int32_t kSideAuto = 0;
inline constexpr std::int32_t kSideInward = 1;
inline constexpr std::int32_t kSideOutward = 2;

class TZCeiling {
  public:
    // Number of undo snapshots the document keeps.
    static constexpr int kUndoCapacity = TZUndoHistory::kUndoCapacity;
    // Growth step of every stream of the project image.
    static constexpr int kStreamGrowBy = TZUndoHistory::kStreamGrowBy;

    // `ui` receives every message and question; it must outlive the document.
    // `programDir` is where materials.mat and the program's other files live.
    // The document owns program resources of its own and loads their materials base from there.
    TZCeiling(UiServices& ui, ProgramDirectory programDir);
    // A document that uses the application's resources (which must outlive it) and loads nothing.
    TZCeiling(UiServices& ui, ProgramDirectory programDir, TZProgramResources& resources);
    ~TZCeiling();
    TZCeiling(const TZCeiling&) = delete;
    TZCeiling& operator=(const TZCeiling&) = delete;

  private:
    // The resources of a document made on its own; `resources` below names them then.
    std::unique_ptr<TZProgramResources> ownResources_;

  public:
    // The materials base, the logos, the print forms and the report templates: the program's,
    // not the project's (nothing of them is saved with it).
    TZProgramResources& resources;

    // ---- services ---------------------------------------------------------------------------
    UiServices& ui() const { return *ui_; }
    void setUi(UiServices& ui) { ui_ = &ui; }
    // The window's views; null while headless (then no question about saving is asked, because
    // the question belongs to the main window).
    DocumentViews* views() const { return views_; }
    void setViews(DocumentViews* views) { views_ = views; }
    // The folder the program's files are written to (and read from, unless installed).
    const std::filesystem::path& programDir() const { return programDir_.own; }
    // Both folders of an installed program; file(name, use) picks the one to read or write.
    const ProgramDirectory& programDirectory() const { return programDir_; }
    // The program-wide settings, for the operations the document runs on its own (the cutting
    // layout redone after a construction changes needs "materialWithTension"). Set by the
    // application object, which owns both; null in a bare document, which then works with the
    // settings' defaults.
    const AppSettings* settings() const { return settings_; }
    void setSettings(const AppSettings* settings) { settings_ = settings; }

    // ---- project operations -----------------------------------------------------------------
    // The new-project reset; false when the user cancelled.
    bool newProject();
    // newProject(), then the view size from the window, the side panel rebuilt, the title, a
    // repaint, and the point tool in mode 5.
    bool newProjectAndShow();
    // "Tenzora 1.0", " ::: " + order name, " (" + file path + ")", " СТАРАЯ ВЕРСИЯ ФАЙЛА!".
    std::wstring title() const;

    // ---- files (project_file.cpp) ---------------------------------------------------------------
    // Opens a project file (undo snapshot first). Failures are told to the user; false then.
    bool openFile(const std::wstring& path);
    // The open dialog, then openFile(path).
    bool openFile();
    // Asks for a file name with the save dialog and saves there; false when cancelled or failed.
    // The file header's price is computed with the given settings, by default the program's.
    bool saveAs(std::optional<PricingOptions> pricing = std::nullopt);

    // ---- undo (undo.cpp) -----------------------------------------------------------------------
    // Stores the present state before a change; false when it equals the newest stored state.
    bool takeSnapshot();
    bool undo();
    bool redo();

    // ---- refreshes of the window (no-ops while headless) -------------------------------------
    // The side panel's figures. Every refresh forgets the dragged and picked vertices and the
    // selected record, in the window and headless alike. The panel shows "ПРОЕКТ СФОРМИРОВАН"
    // by `figuresFormed`: forming passes its result, every other refresh `outlineFormed`.
    void refreshFigures() { refreshFigures(outlineFormed); }
    void refreshFigures(bool formed);
    void rebuildTree();
    void repaint();
    void rebuildTitle();
    // The standard ending of a change made through the user interface.
    void refreshAfterChange() {
        rebuildTree();
        refreshFigures();
        repaint();
    }
    // Shows the cutting layout dialog (entering the cutting mode), over views told first of what
    // the change so far has asked for.
    void showCuttingDialog();

    // ---- one change, the views told once ----------------------------------------------------
    // A change made through the window runs inside a ChangeCycle (below): the refreshes it asks
    // for are collected and the views are told once each, when the outermost cycle ends — after
    // the handler that made the change has done its work, so that no view is re-entered while its
    // own handler is still running, and a change that asks for the figures three times has them
    // computed once. Outside a cycle (headless work, the tests that drive the document directly)
    // each refresh reaches the views at once. The document's own side of a refresh (forgetting
    // the dragged vertex, marking right angles) always happens at once, cycle or not.
    void beginChange() { ++changeDepth_; }
    void endChange();
    // Tells the views now what the change so far has asked for.
    void tellViews();

    // ---- order data and pricing ---------------------------------------------------------------
    std::int32_t city = -1;   // index into the price file's cities, −1 for none
    std::wstring ceilingType; // name of the chosen ceiling price row
    TZStaticArray<TZDopRabObject> extraWorks;
    std::int32_t shownPhoto = -1; // index into photos of the photo over the drawing
    std::uint8_t harpoon = 0;     // 0 "Отсутствует", 1 "Видимый", 2 "Невидимый"
    bool sentToWork = false;
    std::wstring orderDate, orderNumber, orderName, client, note;
    std::string priceTag; // Windows-1251 text after "$" in the file header, ≤ 29 bytes

    // ---- switches and settings of the project ------------------------------------------------
    bool suppressUndo = false;
    double fontScale = 1.0; // text size factor when printing and exporting
    std::int32_t constructionMethod = 0; // 0 "Двойной метод", 1 "Треугольники", 2 "Диф. уравнение"
    double accuracyClass = 0.05; // relative tolerance of the red marking
    bool dragUpdatesSides = false;
    bool dragUpdatesDiagonals = true;
    bool markSides = true;
    bool markDiagonals = false;
    bool stepMode = false;
    bool currentFormat = true;  // false: the file was of the previous format
    bool printing = false;      // a print or preview is being prepared
    bool placedOnly = false;    // measurements consider placed vertices only
    std::int32_t seamWidth = 0; // "Швы:" of the cutting dialog
    bool modified = false;
    std::int32_t relaxPasses = 3;    // maximum visits of one record during relaxation
    std::int32_t baseSide = -1;      // side the last complete construction started from
    std::wstring statusText;         // vertices the last construction failed to place
    bool figuresFormed = false;      // the formed flag of the last refresh of the side panel
    std::int32_t printMode = 0;      // 1 print, 0 preview
    std::int32_t printFormIndex = 0; // the print form chosen last

    // ---- material ---------------------------------------------------------------------------
    Material material; // the project's material

    bool showLogo = false; // the empty view shows the program's logo (after the start-up)

    // ---- outline and constructions ------------------------------------------------------------
    bool showConstructions = false;
    bool outlineFormed = false;
    std::wstring filePath; // the file last opened
    CPolygon polygon;
    Diagonals diagonals;
    TZStaticArray<TZDop> dops;
    TZStaticArray<TZHole> holes;
    TZStaticArray<TZDopAndHole> dopHoleOrder;
    TZStaticArray<Vertex> bendPieces; // fold lines of bends: start and end of every folded side

    // ---- photos -------------------------------------------------------------------------------
    TZStaticArray<TZPicture> photos;

    // ---- undo history (not part of the saved project) -------------------------------------------
    TZUndoHistory history;

    // ---- the view and the editor (kept in the project file, so that it opens as it was left) ----
    TZViewState view;
    TZEditorState editor;

    // ---- cutting layout ------------------------------------------------------------------------
    Vertex seamLineStart, seamLineEnd; // reference line
    std::int32_t seamFrom = -1, seamTo = -1;
    std::int32_t seamFrom2 = -1, seamTo2 = -1;
    double seamOffset = 0.0;
    double seamOffset2 = 0.0;
    bool twoDiagonals = false;
    bool seamPerpendicular = false;
    double tensionY = -1.0;          // ≤ 0: not set
    TZStaticArray<Vertex> seamLines; // two points per seam line
    TZStaticArray<TZAddPoint> addPoints;
    double materialQuantity = 0.0; // m²
    double canvasLengthTotal = 0.0;
    TZStaticArray<double> canvasLengths;
    double offcuts = 0.0; // m²

  private:
    // What the views are yet to be told in the running change.
    enum PendingView : unsigned { kTellTree = 1, kTellFigures = 2, kTellTitle = 4, kTellRepaint = 8 };
    void tell(PendingView what);

    UiServices* ui_;
    DocumentViews* views_ = nullptr;
    int changeDepth_ = 0;
    unsigned pendingViews_ = 0;
    const AppSettings* settings_ = nullptr;
    ProgramDirectory programDir_;
};

// One change made through the window (see TZCeiling::beginChange): open it where an event of the
// user enters the program (a command, an edit of the side panel, the mouse on the drawing, a
// dialog's button); the views are told when the outermost one closes.
class ChangeCycle {
  public:
    explicit ChangeCycle(TZCeiling& doc) : doc_(doc) { doc_.beginChange(); }
    ~ChangeCycle() { doc_.endChange(); }
    ChangeCycle(const ChangeCycle&) = delete;
    ChangeCycle& operator=(const ChangeCycle&) = delete;

  private:
    TZCeiling& doc_;
};

} // namespace tenzora
