#pragma once
// TZCeiling: the one project document of the program. It holds the room outline with its
// measurements, the constructions and cutouts, the cutting layout, the project's material, the
// order data, the photos and forms, the editor's view state and mode, and (as a part of its own)
// the undo history.
//
// Members keep the names the rest of the program knows them by. Where the document refers to an
// element of one of its lists (the dragged vertex, the selected record, the shown photo …) it
// holds the element's index, −1 for none: indexes survive the growth of a list, and they are
// exactly what the project file stores.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/add_point.h"
#include "model/construction.h"
#include "model/cutout.h"
#include "model/document_views.h"
#include "model/extra_work.h"
#include "model/picture.h"
#include "model/polygon.h"
#include "model/pricing_options.h"
#include "model/print_form.h"
#include "model/static_array.h"
#include "model/undo_history.h"
#include "model/word_form.h"
#include "platform/bitmap.h"
#include "platform/ui_services.h"
#include "storage/dynamic_memory.h"
#include "storage/material.h"
#include "storage/material_base.h"
#include "storage/program_directory.h"

namespace tenzora {

struct AppSettings;

// Editor modes.
enum EditorMode : std::int32_t {
    kModeDragVertex = 4, // a vertex is being dragged (between press and release)
    kModePoints = 5,     // points: enter/edit, insert, delete (pointTool)
    kModeDiagonals = 6,  // diagonals: insert, select, delete (diagonalTool)
    kModeStart = 7,      // nothing has been entered yet
    kModeCutting = 8,    // cutting layout display
    kModeNoTool = 9,     // no tool; the left button only pans
    kModeRuler = 10,     // measuring ruler
};

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
    TZCeiling(UiServices& ui, ProgramDirectory programDir);
    ~TZCeiling();
    TZCeiling(const TZCeiling&) = delete;
    TZCeiling& operator=(const TZCeiling&) = delete;

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
    TZMaterialBase materialBase;
    Material material; // the project's material

    // ---- pictures ---------------------------------------------------------------------------
    Bitmap logo;      // logo.bmp of the program directory, drawn in the empty view
    Bitmap printLogo; // printlogo.bmp, drawn on the printed sheet
    bool showLogo = false;

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

    // ---- forms and photos ---------------------------------------------------------------------
    TZStaticArray<TZWordForm> wordForms;
    TZStaticArray<TZPrintForm> printForms;
    TZStaticArray<TZPicture> photos;

    // ---- undo history (not part of the saved project) -------------------------------------------
    TZUndoHistory history;

    // ---- view --------------------------------------------------------------------------------
    std::int32_t panX = 0, panY = 0;    // view offset in pixels
    float scaleX = 1.0f, scaleY = 1.0f; // centimetres per pixel
    std::int32_t viewWidth = 0, viewHeight = 0;
    double gridStep = 20.0;
    bool showGrid = false, snapToGrid = false, showPointNames = false, showLengths = false,
         showAngles = false, showCanvasDistances = false;

    // ---- editor state ------------------------------------------------------------------------
    std::int32_t mode = kModeStart;
    std::int32_t pointTool = 0;
    std::int32_t diagonalTool = 0;
    bool dragging = false;
    TZRulers rulerPoints;
    std::int32_t hoverVertex = -1;   // the ruler end snapped to this vertex
    std::int32_t hoverDiagonal = -1; // … or to the foot point on this record
    Vertex hoverFoot;                // that foot point
    std::int32_t hoverCanvas = -1;   // index into seamLines of the canvas under the mouse
    std::int32_t draggedVertex = -1;
    std::int32_t editorVertex2 = -1;   // kept in the project file only
    std::int32_t pendingVertex = -1;   // first vertex picked in diagonal mode
    std::int32_t currentDiagonal = -1; // record selected for entry in the side panel

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
    UiServices* ui_;
    DocumentViews* views_ = nullptr;
    const AppSettings* settings_ = nullptr;
    ProgramDirectory programDir_;
};

} // namespace tenzora
