#include <gtest/gtest.h>

#include <fstream>

#include "model/ceiling.h"
#include "model/settings.h"
#include "output/report_command.h"
#include "platform/launcher.h"
#include "storage/codepage.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

class RecordingLauncher : public FakeLauncherBase {
  public:
    bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) override {
        started.push_back({program, arguments});
        return canStart;
    }
    bool openDocument(const std::wstring&) override { return false; }
    std::wstring selfPath() override { return L"tenzora"; }
    struct Start {
        std::wstring program;
        std::vector<std::wstring> arguments;
    };
    std::vector<Start> started;
    bool canStart = true;
};

} // namespace

TEST(ReportCommand, TemplatesComeFromTheFolderBelowTheProgramDirectory) {
    TempDir programDir;
    std::filesystem::create_directory(programDir / "templates");
    std::ofstream(programDir / "templates" / "Смета.doc") << "x";
    std::ofstream(programDir / "templates" / "~$Смета.doc") << "x";
    TestDocument t(false, programDir.path());
    AppSettings settings;
    settings.templatesFolder = L"templates";
    std::vector<std::wstring> names;
    ASSERT_TRUE(prepareReportTemplates(*t, settings, names));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Смета.doc"});
    EXPECT_EQ(t->resources.wordForms.count(), 1);

    // Measurements too far off: refused before the folder is looked at.
    buildMeasuredRoom(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {});
    measureRecord(*t, L"AC", 143.0); // 141.42 measured as 143
    EXPECT_FALSE(prepareReportTemplates(*t, settings, names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(t.ui.saw(L"Внимание! Погрешность больше максимально допустимой!"));
}

TEST(ReportCommand, TheScriptGoesToTheScriptHostWithTheTemplateAsItIs) {
    TempDir temp;
    TestDocument t;
    AppSettings settings;
    TZWordForm form;
    form.path = L"/srv/шаблоны/Смета клиента.doc";
    form.name = L"Смета клиента.doc";
    t->resources.wordForms.append(form);
    RecordingLauncher launcher;

    EXPECT_EQ(reportScriptNumber(0), 0);
    EXPECT_EQ(reportScriptNumber(13107), 100000);                       // 5 × 13107 = 65535 of 65535
    EXPECT_EQ(reportScriptNumber(13108), 6);                            // 65540 wraps to 4
    EXPECT_FALSE(runReport(*t, settings, 1, launcher, temp.path(), 0)); // no such template
    EXPECT_TRUE(launcher.started.empty());

    ASSERT_TRUE(runReport(*t, settings, 0, launcher, temp.path(), 1));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, kScriptHost);
    const std::wstring script = codepage::fromPath(temp / "ex2script7.js");
    EXPECT_EQ(launcher.started[0].arguments, (std::vector<std::wstring>{script, form.path}));
    EXPECT_TRUE(std::filesystem::file_size(temp / "ex2script7.js") > 0);

    // No script host here: the user learns where the script is, not nothing.
    launcher.canStart = false;
    EXPECT_FALSE(runReport(*t, settings, 0, launcher, temp.path(), 1));
    EXPECT_EQ(t.ui.messages.back().text.rfind(L"Сценарий отчёта записан в файл " + script, 0), 0u);

    // An unwritable folder is reported and nothing is started.
    EXPECT_FALSE(runReport(*t, settings, 0, launcher, temp / "missing", 1));
    EXPECT_TRUE(
        t.ui.saw(L"Не удалось записать файл " + codepage::fromPath(temp / "missing" / "ex2script7.js")));
    EXPECT_EQ(launcher.started.size(), 2u);
}
