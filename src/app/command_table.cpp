#include "app/command_table.h"

#include <algorithm>

#include "app/command_ids.h"

namespace tenzora {

namespace {

constexpr Accelerator ctrl(char letter) {
    return {AccelKey::Letter, letter, true};
}
constexpr Accelerator kCtrlEnter{AccelKey::Enter, 0, true};
constexpr Accelerator kF12{AccelKey::F12, 0, false};
constexpr Accelerator kGrayPlus{AccelKey::KeypadPlus, 0, false};
constexpr Accelerator kGrayMinus{AccelKey::KeypadMinus, 0, false};
constexpr Accelerator kNoKey{};

// id, menu text, status text, tooltip, accelerator, checkable. Where the string table gives one
// text, status text and tooltip are the same.
constexpr CommandInfo kCommands[] = {
    // "Файл"
    {cmd::kNewProject, L"Новый проект\tCtrl+N", L"Новый проект", L"Новый проект", ctrl('N'), false},
    {cmd::kProjectInfo, L"Информация о проекте\tCtrl+I", L"Информация о проекте", L"Информация о проекте",
     ctrl('I'), false},
    {cmd::kClients, L"Клиенты\tF12", L"", L"", kF12, false},
    {cmd::kSave, L"Сохранить...\tCtrl+S", L"Сохранить", L"Сохранить", ctrl('S'), false},
    {cmd::kOpen, L"Открыть...\tCtrl+O", L"Открыть", L"Открыть", ctrl('O'), false},
    {cmd::kMaterials, L"База материалов полотен\tCtrl+M", L"База материалов полотен",
     L"База материалов полотен", ctrl('M'), false},
    {cmd::kPrint, L"Печать...\tCtrl+P", L"Печать", L"Печать сразу на принтер", ctrl('P'), false},
    {cmd::kPreview, L"Предварительный просмотр...", L"Предварительный просмотр", L"Предварительный просмотр",
     kNoKey, false},
    {cmd::kOrderExport, L"Выгрузка данных проекта", L"", L"", kNoKey, false},
    {cmd::kExport, L"Экспорт ...", L"", L"", kNoKey, false},
    {cmd::kSettings, L"Настройки ...", L"", L"", kNoKey, false},
    {cmd::kExit, L"Выход", L"", L"", kNoKey, false},
    // "Редактирование"
    {cmd::kCutting, L"Раскрой фигуры\tCtrl+R", L"Раскрой", L"Раскрой", ctrl('R'), true},
    {cmd::kFormProject, L"Поиск решения\tCtrl+Enter", L"", L"", kCtrlEnter, false},
    {cmd::kCheckMeasurements, L"Проверить измерения", L"", L"", kNoKey, false},
    {cmd::kMethodDouble, L"Двойной метод", L"", L"", kNoKey, true},
    {cmd::kMethodTriangles, L"Треугольники", L"", L"", kNoKey, true},
    {cmd::kMethodDifferential, L"Диф. уравнение", L"", L"", kNoKey, true},
    {cmd::kUndo, L"Отменить последнее действие\tCtrl+Z", L"Отменить", L"Отменить последнее действие",
     ctrl('Z'), false},
    {cmd::kRedo, L"Вернуть последнее действие после отмены\tCtrl+A", L"Вернуть",
     L"Вернуть последнее действие после отмены", ctrl('A'), false},
    {cmd::kCornerCut, L"Срез угла", L"Срез угла", L"Срез угла", kNoKey, false},
    {cmd::kArc, L"Дуга", L"Дуга", L"Дуга", kNoKey, false},
    {cmd::kCutRectangle, L"Вырезать прямоугольник", L"Вырезать прямоугольник", L"Вырезать прямоугольник",
     kNoKey, false},
    {cmd::kCutTrapezoid, L"Вырезать трапецию", L"Вырезать трапецию", L"Вырезать трапецию", kNoKey, false},
    {cmd::kInnerCutout, L"Внутренний вырез", L"Внутренний вырез", L"Внутренний вырез", kNoKey, false},
    // "Вид"
    {cmd::kDealerMode, L"Режим дилера", L"Режим дилера", L"Режим дилера", kNoKey, true},
    {cmd::kShowPoints, L"Показывать точки", L"Показывать точки и подписи точек",
     L"Показывать точки и подписи точек", kNoKey, true},
    {cmd::kShowLengths, L"Показывать длины сторон и диагоналей", L"Показывать длины сторон и диагоналей",
     L"Показывать длины сторон и диагоналей", kNoKey, true},
    {cmd::kShowConstructions, L"Показывать дополнительные построения",
     L"Показывать дополнительные построения", L"Показывать дополнительные построения", kNoKey, true},
    {cmd::kShowAngles, L"Показывать значения углов", L"Показывать значения углов",
     L"Показывать значения углов", kNoKey, true},
    {cmd::kShowCanvasDistances, L"Показывать расстояния до краев полотен при раскрое",
     L"Показывать расстояния до краев полотен при раскрое",
     L"Показывать расстояния до краев полотен при раскрое", kNoKey, true},
    {cmd::kZoomIn, L"Увеличить масштаб\tGray \"+\"", L"Увеличить", L"Увеличить масштаб", kGrayPlus, false},
    {cmd::kZoomOut, L"Уменьшить масштаб\tGray \"-\"", L"Уменьшить", L"Уменьшить масштаб", kGrayMinus, false},
    {cmd::kShowGrid, L"Показывать сетку", L"Показывать сетку", L"Показывать сетку", kNoKey, true},
    {cmd::kSnapToGrid, L"Выравнивать по сетке", L"Выравнивать по сетке", L"Выравнивать по сетке", kNoKey,
     true},
    {cmd::kBarSidePanel, L"Фигура", L"", L"", kNoKey, true},
    {cmd::kBarMain, L"Основная", L"", L"", kNoKey, true},
    {cmd::kBarEditing, L"Редактирование", L"", L"", kNoKey, true},
    {cmd::kBarTriangles, L"Треугольники", L"", L"", kNoKey, false},
    // "Режим работы"
    {cmd::kEditPoints, L"Ввод и перемещение точек", L"Ввод и редактирование точек",
     L"Ввод и редактирование точек", kNoKey, true},
    {cmd::kInsertPoints, L"Вставка точек", L"Вставка точек", L"Вставка точек", kNoKey, true},
    {cmd::kDeletePoints, L"Удаление точек", L"Удалить точку", L"Удалить точку", kNoKey, true},
    {cmd::kInsertDiagonal, L"Вставка диагонали", L"Вставка диагонали", L"Вставка диагонали", kNoKey, true},
    {cmd::kSelectDiagonal, L"Выбрать диагональ", L"Выбрать диагональ", L"Выбрать диагональ", kNoKey, true},
    {cmd::kDeleteDiagonal, L"Удалить диагональ", L"Удалить диагональ", L"Удалить диагональ", kNoKey, true},
    {cmd::kPan, L"Сдвинуть холст\tCtrl+H", L"Сдвинуть холст", L"Сдвинуть холст", ctrl('H'), true},
    {cmd::kRuler, L"Линейка", L"\"Линейка\"", L"\"Линейка\" - измерить расстояние", kNoKey, true},
    {cmd::kDragUpdatesSides, L"Изменять длины сторон вручную", L"", L"", kNoKey, true},
    {cmd::kDragUpdatesDiagonals, L"Изменять длины диагоналей вручную", L"", L"", kNoKey, true},
    {cmd::kMarkSides, L"Выделять красным неразрешимые стороны", L"", L"", kNoKey, true},
    {cmd::kMarkDiagonals, L"Выделять красным неразрешимые диагонали", L"", L"", kNoKey, true},
    {cmd::kAccuracy10, L"10%", L"", L"", kNoKey, true},
    {cmd::kAccuracy5, L"5%", L"", L"", kNoKey, true},
    {cmd::kAccuracy2, L"2%", L"", L"", kNoKey, true},
    {cmd::kDiagonalCorrection, L"Коррекция диагоналей", L"", L"", kNoKey, false},
    // "Стоимость"
    {cmd::kPriceLists, L"Прайс-листы", L"", L"", kNoKey, false},
    {cmd::kPriceSettings, L"Настройка прайс-листов", L"", L"", kNoKey, false},
    // "Справка"
    {cmd::kAbout, L"&О программе...", L"", L"", kNoKey, false},
    // Toolbar-only commands and commands without a place of their own.
    {cmd::kBend, L"", L"Перегиб", L"Перегиб", kNoKey, false}, // the string table has no text: the kind's name
    {cmd::kReport, L"", L"Отчет в Word или Excel", L"Отчет в Word или Excel", kNoKey, false},
    {cmd::kStepMode, L"", L"Режим пошагового построения треугольников",
     L"Режим пошагового построения треугольников", kNoKey, true},
    {cmd::kTriangleOutward, L"", L"Точка треугольника НАРУЖУ", L"Точка треугольника НАРУЖУ", kNoKey, true},
    {cmd::kTriangleInward, L"", L"Точка треугольника ВНУТРЬ", L"Точка треугольника ВНУТРЬ", kNoKey, true},
    {cmd::kTriangleAuto, L"", L"Автовыбор", L"Автовыбор", kNoKey, true},
    {cmd::kRightAngle, L"", L"Прямой угол (выберите точку в панели слева и нажмите эту кнопку)",
     L"Прямой угол (выберите точку в панели слева и нажмите эту кнопку)", kNoKey, true},
    {cmd::kPhotos, L"", L"Фото", L"Фото", kNoKey, false}, // the string table has no text: a short one of ours
    {cmd::kPointTool2, L"", L"", L"", kNoKey, false},
};

using Kind = MenuEntry::Kind;

MenuEntry item(int id) {
    return {Kind::Command, id, {}, {}};
}
MenuEntry separator() {
    return {Kind::Separator, 0, {}, {}};
}
MenuEntry submenu(std::wstring_view title, std::vector<MenuEntry> entries) {
    return {Kind::Submenu, 0, title, std::move(entries)};
}

std::vector<MenuDefinition> buildMenuBar() {
    using namespace cmd;
    return {
        // The file menu's groups: the project, its file, the materials, paper, exports, settings.
        {L"&Файл",
         {item(kNewProject), item(kProjectInfo), item(kClients), separator(), item(kSave), item(kOpen),
          separator(), item(kMaterials), separator(), item(kPrint), item(kPreview), separator(),
          item(kOrderExport), item(kExport), separator(), item(kSettings), separator(), item(kExit)}},
        {L"Редактирование",
         {item(kCutting), item(kFormProject), item(kCheckMeasurements),
          submenu(L"Тип решения", {item(kMethodDouble), item(kMethodTriangles), item(kMethodDifferential)}),
          separator(), item(kUndo), item(kRedo), separator(), item(kCornerCut), item(kArc),
          item(kCutRectangle), item(kCutTrapezoid), item(kInnerCutout)}},
        {L"&Вид",
         {item(kDealerMode), separator(), item(kShowPoints), item(kShowLengths), item(kShowConstructions),
          item(kShowAngles), item(kShowCanvasDistances), separator(), item(kZoomIn), item(kZoomOut),
          separator(), item(kShowGrid), item(kSnapToGrid), separator(),
          submenu(L"Панели инструментов",
                  {item(kBarSidePanel), item(kBarMain), item(kBarEditing), item(kBarTriangles)})}},
        {L"Режим работы",
         {item(kEditPoints), item(kInsertPoints), item(kDeletePoints), separator(), item(kInsertDiagonal),
          item(kSelectDiagonal), item(kDeleteDiagonal), separator(), item(kPan), item(kRuler), separator(),
          item(kDragUpdatesSides), item(kDragUpdatesDiagonals), item(kMarkSides), item(kMarkDiagonals),
          submenu(L"Класс точности", {item(kAccuracy10), item(kAccuracy5), item(kAccuracy2)}), separator(),
          item(kDiagonalCorrection)}},
        {L"Стоимость", {item(kPriceLists), item(kPriceSettings)}},
        {L"&Справка", {item(kAbout)}},
    };
}

std::vector<ToolbarDefinition> buildToolbars() {
    using namespace cmd;
    constexpr int sep = kToolbarSeparator;
    return {
        {kMainToolbar,
         L"Основные инструменты",
         {kNewProject,
          kSave,
          kOpen,
          kProjectInfo,
          sep,
          kPreview,
          kPrint,
          kReport,
          kUndo,
          kRedo,
          kZoomIn,
          kZoomOut,
          kPan,
          sep,
          kRuler,
          sep,
          kCutting,
          kShowGrid,
          kSnapToGrid,
          kShowPoints,
          kShowLengths,
          kShowConstructions,
          kShowAngles,
          sep,
          kShowCanvasDistances,
          kMaterials,
          kDealerMode},
         false},
        {kTrianglesToolbar,
         L"Треугольники",
         {kRightAngle, sep, kTriangleOutward, kTriangleInward, kTriangleAuto, sep, kPhotos},
         true},
        {kPointsToolbar,
         L"Редактирование точек и диагоналей",
         {kEditPoints, kInsertPoints, kDeletePoints, sep, kInsertDiagonal, kSelectDiagonal, kDeleteDiagonal},
         false},
        {kConstructionsToolbar,
         L"Дополнительные построения",
         {kCornerCut, kArc, kCutRectangle, kCutTrapezoid, kInnerCutout, kBend},
         false},
    };
}

} // namespace

std::wstring_view CommandInfo::label() const {
    if (!menuText.empty()) return menuText.substr(0, menuText.find(L'\t'));
    return tooltip;
}

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo* findCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const std::vector<MenuDefinition>& menuBar() {
    static const std::vector<MenuDefinition> menus = buildMenuBar();
    return menus;
}

const std::vector<ToolbarDefinition>& toolbars() {
    static const std::vector<ToolbarDefinition> bars = buildToolbars();
    return bars;
}

} // namespace tenzora
