#pragma once
// The document operations behind the main window's commands. Each follows the program's change
// cycle (undo snapshot where the change is undoable, then the change, then the refreshes), and
// the editing ones do nothing in the start mode, before any outline exists.
// Other parts of the program call these too (the mouse wheel zooms through zoomBy, the project
// window's new-project command through runNewProject).

#include <string>
#include <vector>

#include "app/command_host.h"
#include "business/photos.h"
#include "editor/view_zoom.h"

namespace tenzora {

class Clock;
class TZCeiling;
struct AppSettings;
struct LocalTime;

// The accuracy classes of the "Класс точности" submenu: relative tolerances of the red marking.
inline constexpr double kAccuracyClass10 = 0.1;
inline constexpr double kAccuracyClass5 = 0.05;
inline constexpr double kAccuracyClass2 = 0.02;

// "%d.%m.%Y" of a date: two-digit day and month, four-digit year.
std::wstring orderDateText(const LocalTime& time);

// The new-project command: the current time is noted first, then the reset (which may ask to
// save and may be cancelled: false), then the order date of the noted time.
bool runNewProject(TZCeiling& doc, Clock& clock);

// A display switch of the document flipped; figures refreshed and the view repainted.
void toggleDisplaySwitch(TZCeiling& doc, bool& flag);

// Point tools 0 enter/edit, 1 insert, 2, 3 delete in mode 5; diagonal tools 0 insert, 1 select,
// 2 delete in mode 6. Nothing in the start mode.
void selectPointTool(TZCeiling& doc, int tool);
void selectDiagonalTool(TZCeiling& doc, int tool);
// Panning with the left button on or off (not in the start mode).
void togglePanning(TZCeiling& doc);
// The ruler: its points cleared, mode 10, panning off (not in the start mode).
void startRuler(TZCeiling& doc);
void toggleDealerMode(TZCeiling& doc, AppSettings& settings);
void setConstructionMethod(TZCeiling& doc, int method);
// The red-marking switches and the accuracy class repaint; the drag switches only flip.
void toggleMarking(TZCeiling& doc, bool TZCeiling::*flag);
void setAccuracyClass(TZCeiling& doc, double accuracy);

// ---- the photo menu -----------------------------------------------------------------------------
// "Добавить фото ...", one item per photo titled by its file (the shown one checked), a separator
// and "Убрать фото с экрана" (greyed while no photo is shown). Items whose ids the menu would not
// act on (photos from index 50 on, and the hide item once there are 50 photos) are greyed too.
std::vector<PopupItem> photoMenu(const TZCeiling& doc, bool canAddPhotos);
void hidePhoto(TZCeiling& doc);

} // namespace tenzora
