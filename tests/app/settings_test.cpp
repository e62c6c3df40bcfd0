#include <gtest/gtest.h>

#include "model/settings.h"
#include "platform/settings_store.h"

using namespace tenzora;

namespace {
std::wstring value(MemorySettingsStore& s, const std::wstring& name) {
    return s.read(kSettingsSection, name).value_or(L"<absent>");
}
} // namespace

TEST(Settings, DefaultsWhenNothingIsStored) {
    MemorySettingsStore store;
    AppSettings s;
    readSettings(s, store);
    EXPECT_TRUE(s.flipCutting);
    EXPECT_TRUE(s.materialWithTension);
    EXPECT_FALSE(s.dealerMode);
    EXPECT_EQ(s.templatesFolder, defaultTemplatesFolder());
    EXPECT_EQ(s.folderCount(), 0);
}

TEST(Settings, FlagsReadOnlyExactYesOrNo) {
    MemorySettingsStore store;
    store.write(kSettingsSection, L"flip_raskroy", L"yes"); // lower case is not recognised
    store.write(kSettingsSection, L"velmar", L"NO");
    AppSettings s;
    readSettings(s, store);
    EXPECT_TRUE(s.flipCutting);
    EXPECT_FALSE(s.materialWithTension);
}

TEST(Settings, FoldersSkipGapsAndRepeats) {
    MemorySettingsStore store;
    store.write(kSettingsSection, L"path1", L"A");
    store.write(kSettingsSection, L"path2", L"A");
    store.write(kSettingsSection, L"path3", L"B");
    store.write(kSettingsSection, L"path5", L"a"); // comparison is case-sensitive
    store.write(kSettingsSection, L"path10", L"C");
    store.write(kSettingsSection, L"folder_word", L"/srv/templates");
    AppSettings s;
    readSettings(s, store);
    EXPECT_EQ(s.folderCount(), 4);
    EXPECT_EQ(s.drawingFolders[0], L"A");
    EXPECT_EQ(s.drawingFolders[1], L"B");
    EXPECT_EQ(s.drawingFolders[2], L"a");
    EXPECT_EQ(s.drawingFolders[3], L"C");
    EXPECT_EQ(s.templatesFolder, L"/srv/templates");
}

TEST(SettingsDialog, ShowsTheFirstEightFolders) {
    AppSettings s;
    for (int i = 0; i < 10; ++i)
        s.drawingFolders[static_cast<std::size_t>(i)] = L"F" + std::to_wstring(i);
    s.flipCutting = false;
    const SettingsDialogFields f = settingsDialogFields(s);
    EXPECT_FALSE(f.flipCutting);
    EXPECT_EQ(f.drawingFolders[7], L"F7");
}

TEST(SettingsDialog, OkWritesFilledFoldersAndDeletesTheRestButPath10) {
    MemorySettingsStore store;
    for (int n = 1; n <= 10; ++n)
        store.write(kSettingsSection, L"path" + std::to_wstring(n), L"old");
    AppSettings s;
    SettingsDialogFields f;
    f.flipCutting = false;
    f.materialWithTension = true;
    f.templatesFolder = L"T";
    f.drawingFolders = {L"B", L"", L"C", L"B"};
    acceptSettingsDialog(s, store, f);
    EXPECT_EQ(value(store, L"flip_raskroy"), L"NO");
    EXPECT_EQ(value(store, L"velmar"), L"YES");
    EXPECT_EQ(value(store, L"folder_word"), L"T");
    EXPECT_EQ(value(store, L"path1"), L"B");
    EXPECT_EQ(value(store, L"path2"), L"C");
    for (int n = 3; n <= 9; ++n)
        EXPECT_EQ(value(store, L"path" + std::to_wstring(n)), L"<absent>") << n;
    EXPECT_EQ(value(store, L"path10"), L"old");
    EXPECT_EQ(s.folderCount(), 2);
    EXPECT_EQ(s.templatesFolder, L"T");
    EXPECT_FALSE(s.flipCutting);

    // path10 written by something else is read back at the next start.
    AppSettings next;
    readSettings(next, store);
    EXPECT_EQ(next.folderCount(), 3);
    EXPECT_EQ(next.drawingFolders[2], L"old");
}

TEST(CommandLine, TrimsAndRemovesEveryQuote) {
    EXPECT_EQ(projectPathFromCommandLine(L"  \"/home/me/my room.tz\"  "), L"/home/me/my room.tz");
    EXPECT_EQ(projectPathFromCommandLine(L"a\"b\"c"), L"abc");
    EXPECT_EQ(projectPathFromCommandLine(L"   "), L"");
    EXPECT_EQ(projectPathFromCommandLine(L"\"\""), L"");
}

TEST(PrintTitle, LimitedToTwoHundredCharacters) {
    EXPECT_EQ(limitPrintTitle(std::wstring(250, L'x')).size(), 200u);
    EXPECT_EQ(limitPrintTitle(L"Сатрон"), L"Сатрон");
}
