// tenzora-cli vars, forms, report-script and picture-script, run as the program they are.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "output/report_script.h"
#include "storage/codepage.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

using namespace clitest;

bool haveNode() {
    return std::system("command -v node > /dev/null 2>&1") == 0;
}

// The room of the wrapping example saved as a project: AB 250, BC 300, CD 250, DA not measured.
std::string exampleProject(const TempDir& dir, const std::wstring& client = L"Иванов",
                           const std::wstring& note = {}) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {250, 0}, {250, 300}, {0, 300}});
    measureRecord(*t, L"AB", 250);
    measureRecord(*t, L"BC", 300);
    measureRecord(*t, L"CD", 250);
    t->client = client;
    t->note = note;
    t->orderNumber = L"17";
    const std::string file = (dir / "room.tz").string();
    EXPECT_TRUE(saveProject(*t, codepage::fromUtf8(file)));
    return file;
}

} // namespace

TEST(VarsCli, EveryVariableAndTheContinuation) {
    TempDir dir;
    const std::string file = exampleProject(dir);
    CliRun run = runCli({"vars", file});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json j = run.json();
    EXPECT_EQ(j["vars"].size(), 41u);
    EXPECT_EQ(j["vars"]["SIDES"], "AB=250.0; BC=300.0; CD=250.0");
    EXPECT_EQ(j["vars"]["NUMBER"], "17");
    EXPECT_EQ(j["vars"]["KONTRAGENT"], "Иванов");
    EXPECT_EQ(j["continuation"], "");

    run = runCli({"vars", file, "--wrap", "14", "--max-lines", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    j = run.json();
    EXPECT_EQ(j["vars"]["SIDES"], "(см. следующую страницу)");
    EXPECT_EQ(j["continuation"], "СТОРОНЫ:\n\nAB=250.0;\nBC=300.0;\nCD=250.0\n\n");

    run = runCli({"vars", "--english", file, "--wrap", "14", "--max-lines", "2"});
    ASSERT_EQ(run.status, 0) << run.err;
    j = run.json();
    EXPECT_EQ(j["vars"]["SIDES"], "(see next page)");
    EXPECT_EQ(j["vars"]["SQUARE"], "7.50 m2");

    EXPECT_EQ(runCli({"vars", file, "--wrap", "many"}).status, 2);
    EXPECT_EQ(runCli({"vars"}).status, 2);
    const CliRun missing = runCli({"vars", (dir / "none.tz").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.tz"), std::string::npos) << missing.err;
}

TEST(FormsCli, TheShippedFormsInMenuOrderAndOnlyThoseThatLoad) {
    CliRun run = runCli({"forms"});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json forms = run.json()["forms"];
    ASSERT_EQ(forms.size(), 3u) << run.out;
    EXPECT_EQ(forms[0]["index"], 0);
    EXPECT_EQ(forms[0]["name"], "Лист для цеха (раскрой)");
    EXPECT_EQ(forms[1]["name"], "Лист для заказчика (стоимость)");
    EXPECT_EQ(forms[2]["name"], "Ceiling sheet (English)");
    EXPECT_NE(forms[2]["file"].get<std::string>().find("3-english.pem"), std::string::npos);

    // In dealer mode the workshop sheet with the cutting layout is not offered.
    run = runCli({"--dealer-mode", "forms"});
    ASSERT_EQ(run.status, 0) << run.err;
    forms = run.json()["forms"];
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[0]["name"], "Лист для заказчика (стоимость)");

    TempDir empty;
    run = runCli({"forms"}, empty.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.json()["forms"].empty());
}

TEST(ReportScriptCli, AHostileClientNameStaysInsideItsString) {
    TempDir dir;
    // An apostrophe and a backslash before an apostrophe: neither may end the script's string.
    const std::wstring client = L"O'Brien \\'); WScript.Quit(); //";
    // A note of 254 characters is replaced whole; one of 255 goes in pieces.
    const std::string file = exampleProject(dir, client, std::wstring(254, L'n'));
    const std::string out = (dir / "report.js").string();
    CliRun run = runCli({"report-script", file, out});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string script = slurp(out);
    EXPECT_EQ(script.rfind("var word = new ActiveXObject(\"Word.Application\");\n", 0), 0u);
    EXPECT_NE(script.find("'KONTRAGENT', false, false, false, false, false, wdFindContinue, false, false, '" +
                          codepage::toCp1251(escapeScriptValue(client)) + "'"),
              std::string::npos);
    EXPECT_NE(script.find("'COMMENT', false, false, false, false, false, wdFindContinue, false, false, '" +
                          std::string(254, 'n') + "'"),
              std::string::npos);
    EXPECT_EQ(script.find("##0~"), std::string::npos);
    EXPECT_EQ(script.substr(script.size() - 22), "\t\t\tword.Visible = true");

    const std::string longFile = exampleProject(dir, client, std::wstring(255, L'n'));
    ASSERT_EQ(runCli({"report-script", longFile, out}).status, 0);
    script = slurp(out);
    EXPECT_NE(
        script.find("'COMMENT', false, false, false, false, false, wdFindContinue, false, false, '##0~##1~'"),
        std::string::npos);

    const CliRun unwritable = runCli({"report-script", file, (dir / "no" / "such" / "r.js").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("r.js"), std::string::npos) << unwritable.err;

    if (!haveNode()) GTEST_SKIP() << "node is not installed";
    EXPECT_EQ(std::system(("node --check " + shellQuoted(out) + " > /dev/null 2>&1").c_str()), 0);
}

TEST(PictureScriptCli, BothEndings) {
    TempDir dir;
    const std::string out = (dir / "picture.js").string();
    ASSERT_EQ(runCli({"picture-script", out}).status, 0);
    EXPECT_EQ(slurp(out), buildPictureScript(false));
    ASSERT_EQ(runCli({"picture-script", out, "--save"}).status, 0);
    const std::string saving = slurp(out);
    EXPECT_EQ(saving, buildPictureScript(true));
    EXPECT_EQ(saving.substr(saving.size() - 12), "word.quit();");
    EXPECT_EQ(runCli({"picture-script"}).status, 2);
}
