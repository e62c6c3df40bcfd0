// The firm's name kept with the settings, and the About window's notice and layout.

#include <gtest/gtest.h>

#include "app/about.h"
#include "model/settings.h"
#include "platform/settings_store.h"

using namespace tenzora;

TEST(PrintTitle, KeptWithTheSettingsByTheSettingsDialog) {
    MemorySettingsStore store;
    AppSettings s;
    readSettings(s, store);
    EXPECT_TRUE(s.printTitle.empty());
    SettingsDialogFields fields = settingsDialogFields(s);
    fields.printTitle = L"ООО «Потолки»";
    acceptSettingsDialog(s, store, fields);
    EXPECT_EQ(s.printTitle, L"ООО «Потолки»");
    EXPECT_EQ(store.read(kSettingsSection, kPrintTitleValue).value_or(L""), L"ООО «Потолки»");

    AppSettings next;
    readSettings(next, store);
    EXPECT_EQ(next.printTitle, L"ООО «Потолки»");
    EXPECT_EQ(settingsDialogFields(next).printTitle, L"ООО «Потолки»");

    // Too long: cut to 200 characters; empty: the value goes.
    fields.printTitle = std::wstring(300, L'я');
    acceptSettingsDialog(s, store, fields);
    EXPECT_EQ(s.printTitle.size(), 200u);
    store.write(kSettingsSection, kPrintTitleValue, std::wstring(300, L'я'));
    readSettings(next, store);
    EXPECT_EQ(next.printTitle.size(), 200u);
    fields.printTitle.clear();
    acceptSettingsDialog(s, store, fields);
    EXPECT_FALSE(store.read(kSettingsSection, kPrintTitleValue));
}

TEST(About, NoticeNamesTheFirmOrSatron) {
    EXPECT_NE(aboutNotice(L"").find(L"«Сатрон»"), std::wstring::npos);
    EXPECT_NE(aboutNotice(L"Потолки-М").find(L"«Потолки-М»"), std::wstring::npos);
    EXPECT_EQ(aboutNotice(L"Потолки-М").find(L"Сатрон"), std::wstring::npos);
}

TEST(About, LaidOutAroundTheLogo) {
    // A narrow logo: the texts are 400 wide and the picture centred above them.
    AboutLayout l = aboutLayout(200, 100, 75, 23, 1920, 1080);
    EXPECT_EQ(l.window, (AboutRect{(1920 - 400 - 10) / 2, (1080 - 100 - 150) / 2, 416, 285}));
    EXPECT_EQ(l.picture, (AboutRect{100, 5, 200, 100}));
    EXPECT_EQ(l.info, (AboutRect{5, 115, 400, 25}));
    EXPECT_EQ(l.notice, (AboutRect{5, 140, 400, 70}));
    EXPECT_EQ(l.ok, (AboutRect{(416 - 75) / 2, 210, 75, 23}));
    EXPECT_EQ(l.handBottom, 110);
    EXPECT_EQ(l.linkBottom, 140);
    // A wide one sets the width and stands at x = 5.
    l = aboutLayout(600, 50, 75, 23, 1920, 1080);
    EXPECT_EQ(l.window.width, 616);
    EXPECT_EQ(l.picture.x, 5);
    EXPECT_NE(std::wstring(kProgramWebPage).find(L"example.org"), std::wstring::npos);
}
