#pragma once
// The identifiers of the main window's commands. They are the program's own numbers: toolbar
// layouts, automation and the window tests find commands by them, so they never change.

namespace tenzora {

namespace cmd {

// "Файл"
inline constexpr int kNewProject = 32812;
inline constexpr int kProjectInfo = 50027;
inline constexpr int kClients = 32911;
inline constexpr int kSave = 50001;
inline constexpr int kOpen = 50002;
inline constexpr int kMaterials = 50025;
inline constexpr int kPrint = 50004;
inline constexpr int kPreview = 50003;
inline constexpr int kOrderExport = 32908;
inline constexpr int kExport = 32806;
inline constexpr int kSettings = 32910;
inline constexpr int kExit = 57665;

// "Редактирование"
inline constexpr int kCutting = 50024;
inline constexpr int kFormProject = 1642;
// "Проверить измерения": a command of our own beside forming (which record disagrees).
inline constexpr int kCheckMeasurements = 32921;
inline constexpr int kMethodDouble = 32897;
inline constexpr int kMethodTriangles = 32898;
inline constexpr int kMethodDifferential = 32900;
inline constexpr int kUndo = 50005;
inline constexpr int kRedo = 50006;
inline constexpr int kCornerCut = 50021;
inline constexpr int kArc = 50022;
inline constexpr int kCutRectangle = 50028;
inline constexpr int kCutTrapezoid = 32860;
inline constexpr int kInnerCutout = 32835;
inline constexpr int kBend = 32862; // toolbar only

// "Вид"
inline constexpr int kDealerMode = 33001;
inline constexpr int kShowPoints = 32782;
inline constexpr int kShowLengths = 32784;
inline constexpr int kShowConstructions = 33000;
inline constexpr int kShowAngles = 33002;
inline constexpr int kShowCanvasDistances = 32843;
inline constexpr int kZoomIn = 50007;
inline constexpr int kZoomOut = 50008;
inline constexpr int kShowGrid = 50012;
inline constexpr int kSnapToGrid = 50013;
inline constexpr int kBarSidePanel = 32852; // "Фигура"
inline constexpr int kBarMain = 32849;      // "Основная"
inline constexpr int kBarEditing = 32850;   // "Редактирование"
inline constexpr int kBarTriangles = 32859; // "Треугольники": never had a handler

// "Режим работы"
inline constexpr int kEditPoints = 50014;
inline constexpr int kInsertPoints = 50015;
inline constexpr int kPointTool2 = 50020; // point tool 2; no menu item or button
inline constexpr int kDeletePoints = 50016;
inline constexpr int kInsertDiagonal = 50017;
inline constexpr int kSelectDiagonal = 50018;
inline constexpr int kDeleteDiagonal = 50019;
inline constexpr int kPan = 50009;
inline constexpr int kRuler = 32818;
inline constexpr int kDragUpdatesSides = 32880;
inline constexpr int kDragUpdatesDiagonals = 32881;
inline constexpr int kMarkSides = 32882;
inline constexpr int kMarkDiagonals = 32883;
inline constexpr int kAccuracy10 = 32888;
inline constexpr int kAccuracy5 = 32889;
inline constexpr int kAccuracy2 = 32890;
inline constexpr int kDiagonalCorrection = 32892;

// "Стоимость"
inline constexpr int kPriceLists = 32906;
inline constexpr int kPriceSettings = 32904;

// "Справка"
inline constexpr int kAbout = 57664;

// Toolbar commands without a menu item.
inline constexpr int kReport = 32914;
inline constexpr int kStepMode = 32853;
inline constexpr int kTriangleOutward = 32854;
inline constexpr int kTriangleInward = 32855;
inline constexpr int kTriangleAuto = 32856;
inline constexpr int kRightAngle = 32857;
inline constexpr int kPhotos = 32858;

// Pop-up menus built at run time.
// Print forms and report templates share 20000 + i; the report flag tells them apart.
inline constexpr int kFirstSharedChoice = 20000;
inline constexpr int kLastSharedChoice = 20050; // 20000 + 50 is still routed (index checked)
inline constexpr int kMaxChoiceItems = 50;      // items listed in one pop-up
// The photo menu: "Добавить фото ...", then photo k as 22001 + k, then "Убрать фото с экрана".
inline constexpr int kAddPhoto = 22000;
inline constexpr int kFirstPhotoItem = 22001;
inline constexpr int kMaxPhotoItemIndex = 49; // 22001 + k is acted on only for k ≤ min(count, 49)

} // namespace cmd

} // namespace tenzora
