#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/command_ids.h"
#include "app/command_table.h"

using namespace tenzora;

namespace {

std::set<int> menuCommands(const std::vector<MenuEntry>& entries) {
    std::set<int> ids;
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command) ids.insert(e.command);
        if (e.kind == MenuEntry::Kind::Submenu) ids.merge(menuCommands(e.entries));
    }
    return ids;
}

// The menu as one line per entry: "text" for commands, "-" for separators, ">title" and "<" for
// submenus, so that order and grouping are compared in one go.
void flatten(const std::vector<MenuEntry>& entries, std::vector<std::wstring>& out) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Separator:
            out.push_back(L"-");
            break;
        case MenuEntry::Kind::Command:
            out.push_back(std::wstring(findCommand(e.command)->menuText));
            break;
        case MenuEntry::Kind::Submenu:
            out.push_back(L">" + std::wstring(e.title));
            flatten(e.entries, out);
            out.push_back(L"<");
            break;
        }
    }
}

const MenuDefinition& menuTitled(const std::wstring& title) {
    for (const MenuDefinition& m : menuBar())
        if (m.title == title) return m;
    throw std::runtime_error("no such menu");
}

} // namespace

TEST(CommandTable, IdsAreUniqueAndEveryPlacedCommandIsInTheTable) {
    std::set<int> ids;
    for (const CommandInfo& c : commandTable())
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;

    std::set<int> placed;
    for (const MenuDefinition& m : menuBar())
        placed.merge(menuCommands(m.entries));
    for (const ToolbarDefinition& t : toolbars())
        for (int id : t.buttons)
            if (id != kToolbarSeparator) placed.insert(id);
    for (int id : placed)
        EXPECT_NE(findCommand(id), nullptr) << id;
    // Only step mode and point tool 2 have neither a menu item nor a button.
    std::set<int> unplaced;
    for (int id : ids)
        if (!placed.count(id)) unplaced.insert(id);
    EXPECT_EQ(unplaced, (std::set<int>{cmd::kStepMode, cmd::kPointTool2}));
}

TEST(CommandTable, MenuBarTitlesAndOrder) {
    std::vector<std::wstring> titles;
    for (const MenuDefinition& m : menuBar())
        titles.emplace_back(m.title);
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"&Файл", L"Редактирование", L"&Вид", L"Режим работы",
                                                 L"Стоимость", L"&Справка"}));
}

TEST(CommandTable, FileAndEditMenusWithKeyTextsAndGroups) {
    std::vector<std::wstring> file;
    flatten(menuTitled(L"&Файл").entries, file);
    EXPECT_EQ(file,
              (std::vector<std::wstring>{
                  L"Новый проект\tCtrl+N", L"Информация о проекте\tCtrl+I", L"Клиенты\tF12", L"-",
                  L"Сохранить...\tCtrl+S", L"Открыть...\tCtrl+O", L"-", L"База материалов полотен\tCtrl+M",
                  L"-", L"Печать...\tCtrl+P", L"Предварительный просмотр...", L"-",
                  L"Выгрузка данных проекта", L"Экспорт ...", L"-", L"Настройки ...", L"-", L"Выход"}));
    std::vector<std::wstring> edit;
    flatten(menuTitled(L"Редактирование").entries, edit);
    EXPECT_EQ(edit, (std::vector<std::wstring>{
                        L"Раскрой фигуры\tCtrl+R", L"Поиск решения\tCtrl+Enter", L"Проверить измерения",
                        L">Тип решения", L"Двойной метод", L"Треугольники", L"Диф. уравнение", L"<", L"-",
                        L"Отменить последнее действие\tCtrl+Z",
                        L"Вернуть последнее действие после отмены\tCtrl+A", L"-", L"Срез угла", L"Дуга",
                        L"Вырезать прямоугольник", L"Вырезать трапецию", L"Внутренний вырез"}));
}

TEST(CommandTable, ViewAndModeMenus) {
    std::vector<std::wstring> view;
    flatten(menuTitled(L"&Вид").entries, view);
    EXPECT_EQ(view, (std::vector<std::wstring>{L"Режим дилера",
                                               L"-",
                                               L"Показывать точки",
                                               L"Показывать длины сторон и диагоналей",
                                               L"Показывать дополнительные построения",
                                               L"Показывать значения углов",
                                               L"Показывать расстояния до краев полотен при раскрое",
                                               L"-",
                                               L"Увеличить масштаб\tGray \"+\"",
                                               L"Уменьшить масштаб\tGray \"-\"",
                                               L"-",
                                               L"Показывать сетку",
                                               L"Выравнивать по сетке",
                                               L"-",
                                               L">Панели инструментов",
                                               L"Фигура",
                                               L"Основная",
                                               L"Редактирование",
                                               L"Треугольники",
                                               L"<"}));
    std::vector<std::wstring> modes;
    flatten(menuTitled(L"Режим работы").entries, modes);
    EXPECT_EQ(modes, (std::vector<std::wstring>{L"Ввод и перемещение точек",
                                                L"Вставка точек",
                                                L"Удаление точек",
                                                L"-",
                                                L"Вставка диагонали",
                                                L"Выбрать диагональ",
                                                L"Удалить диагональ",
                                                L"-",
                                                L"Сдвинуть холст\tCtrl+H",
                                                L"Линейка",
                                                L"-",
                                                L"Изменять длины сторон вручную",
                                                L"Изменять длины диагоналей вручную",
                                                L"Выделять красным неразрешимые стороны",
                                                L"Выделять красным неразрешимые диагонали",
                                                L">Класс точности",
                                                L"10%",
                                                L"5%",
                                                L"2%",
                                                L"<",
                                                L"-",
                                                L"Коррекция диагоналей"}));
    std::vector<std::wstring> rest;
    flatten(menuTitled(L"Стоимость").entries, rest);
    flatten(menuTitled(L"&Справка").entries, rest);
    EXPECT_EQ(rest,
              (std::vector<std::wstring>{L"Прайс-листы", L"Настройка прайс-листов", L"&О программе..."}));
}

TEST(CommandTable, ToolbarsInDockingOrderWithSeparators) {
    using namespace cmd;
    const auto& bars = toolbars();
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[0].caption, L"Основные инструменты");
    EXPECT_EQ(bars[0].buttons,
              (std::vector<int>{32812, 50001, 50002, 50027, 0,     50003, 50004, 32914, 50005,
                                50006, 50007, 50008, 50009, 0,     32818, 0,     50024, 50012,
                                50013, 32782, 32784, 33000, 33002, 0,     32843, 50025, 33001}));
    EXPECT_EQ(bars[1].caption, L"Треугольники");
    EXPECT_EQ(bars[1].buttons, (std::vector<int>{32857, 0, 32854, 32855, 32856, 0, 32858}));
    EXPECT_TRUE(bars[1].startsNewRow);
    EXPECT_EQ(bars[2].caption, L"Редактирование точек и диагоналей");
    EXPECT_EQ(bars[2].buttons, (std::vector<int>{50014, 50015, 50016, 0, 50017, 50018, 50019}));
    EXPECT_FALSE(bars[2].startsNewRow);
    EXPECT_EQ(bars[3].caption, L"Дополнительные построения");
    EXPECT_EQ(bars[3].buttons, (std::vector<int>{50021, 50022, 50028, 32860, 32835, 32862}));
    // Every button has a tooltip to show.
    for (const ToolbarDefinition& t : bars) {
        for (int id : t.buttons) {
            if (id != kToolbarSeparator) {
                EXPECT_FALSE(findCommand(id)->tooltip.empty()) << id;
            }
        }
    }
}

TEST(CommandTable, AcceleratorsAreExactlyTheListedOnes) {
    std::map<int, std::pair<AccelKey, char>> keys;
    for (const CommandInfo& c : commandTable()) {
        if (c.accelerator.empty()) continue;
        // Every key but F12 and the keypad's plus and minus goes with Ctrl.
        const bool plain = c.accelerator.key == AccelKey::F12 || c.accelerator.key == AccelKey::KeypadPlus ||
                           c.accelerator.key == AccelKey::KeypadMinus;
        EXPECT_EQ(c.accelerator.ctrl, !plain) << c.id;
        keys[c.id] = {c.accelerator.key, c.accelerator.letter};
    }
    const std::map<int, std::pair<AccelKey, char>> expected = {
        {32812, {AccelKey::Letter, 'N'}},   {50027, {AccelKey::Letter, 'I'}},
        {50009, {AccelKey::Letter, 'H'}},   {50002, {AccelKey::Letter, 'O'}},
        {50025, {AccelKey::Letter, 'M'}},   {50004, {AccelKey::Letter, 'P'}},
        {50024, {AccelKey::Letter, 'R'}},   {50006, {AccelKey::Letter, 'A'}},
        {50001, {AccelKey::Letter, 'S'}},   {50005, {AccelKey::Letter, 'Z'}},
        {1642, {AccelKey::Enter, 0}},       {32911, {AccelKey::F12, 0}},
        {50007, {AccelKey::KeypadPlus, 0}}, {50008, {AccelKey::KeypadMinus, 0}}};
    EXPECT_EQ(keys, expected);
}

TEST(CommandTable, StatusTextsAndTooltipsWhereTheyDiffer) {
    EXPECT_EQ(findCommand(32818)->statusText, L"\"Линейка\"");
    EXPECT_EQ(findCommand(32818)->tooltip, L"\"Линейка\" - измерить расстояние");
    EXPECT_EQ(findCommand(50004)->statusText, L"Печать");
    EXPECT_EQ(findCommand(50004)->tooltip, L"Печать сразу на принтер");
    EXPECT_EQ(findCommand(50005)->tooltip, L"Отменить последнее действие");
    EXPECT_EQ(findCommand(32782)->tooltip, L"Показывать точки и подписи точек");
    EXPECT_EQ(findCommand(32853)->statusText, L"Режим пошагового построения треугольников");
    // The label of a toolbar-only command is its tooltip; of a menu command the text before the tab.
    EXPECT_EQ(findCommand(32856)->label(), L"Автовыбор");
    EXPECT_EQ(findCommand(50001)->label(), L"Сохранить...");
    EXPECT_EQ(findCommand(12345), nullptr);
}
