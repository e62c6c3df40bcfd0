#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

#include "output/report_fields.h"
#include "output/report_script.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string scriptWith(const std::map<int, std::wstring>& values) {
    return buildReportScript([&](int id) {
        auto it = values.find(id);
        return it == values.end() ? std::wstring() : it->second;
    });
}

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

bool haveNode() {
    return std::system("command -v node > /dev/null 2>&1") == 0;
}

// Runs the script with node against stand-ins of the office objects and returns, one per line,
// the replacement text of every Find.Execute call whose search text is `keyword`. Empty when the
// script does not run.
std::string replacementsFor(const std::string& script, const std::string& keyword, const TempDir& dir) {
    const std::string harness =
        "var calls = [];\n"
        "var ActiveXObject = function() { return {Documents: {Open: function(){}}, ActiveDocument: "
        "{PageSetup: {},"
        " Content: {Find: {Execute: function(f, a, b, c, d, e, g, h, i, r) { calls.push([f, r]); }}}}}; };\n"
        "var WScript = {Arguments: function() { return 'template.doc'; }};\n";
    const std::string footer = "\ncalls.forEach(function(c) { if (c[0] === '" + keyword +
                               "') process.stdout.write(c[1] + '\\n'); });\n";
    const auto path = dir / "script.js";
    const auto out = dir / "out.txt";
    std::ofstream(path, std::ios::binary) << harness << script << footer;
    if (std::system(("node '" + path.string() + "' > '" + out.string() + "' 2>/dev/null").c_str()) != 0)
        return {};
    std::ifstream in(out, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(ReportScript, FixedOpeningOneReplacementPerFieldAndTheClosing) {
    const std::string script = scriptWith({{1, L"15"}});
    EXPECT_EQ(
        script.rfind(
            "var word = new ActiveXObject(\"Word.Application\");\nvar saveName = WScript.Arguments(0);\n", 0),
        0u);
    EXPECT_EQ(countOf(script, "objSelection.Find.Execute("), 41);
    EXPECT_NE(
        script.find("objSelection.Find.Execute('NUMBER', false, false, false, false, false, wdFindContinue, "
                    "false, false, '15', wdReplaceAll, false, false, false, false);\n"),
        std::string::npos);
    EXPECT_LT(script.find("'SUMPRICE'"), script.find("'PRICE'"));
    EXPECT_TRUE(script.ends_with("\n\t\t\tword.Visible = true"));
}

TEST(ReportScript, LongValuesGoInPiecesOf240) {
    const std::string v254 = scriptWith({{3, std::wstring(254, L'a')}});
    EXPECT_EQ(countOf(v254, "##0~"), 0);
    const std::string v255 = scriptWith({{3, std::wstring(255, L'b')}});
    EXPECT_NE(
        v255.find(
            "Execute('NAME', false, false, false, false, false, wdFindContinue, false, false, '##0~##1~'"),
        std::string::npos);
    EXPECT_NE(v255.find("Execute('##0~', false, false, false, false, false, wdFindContinue, false, false, '" +
                        std::string(240, 'b') + "'"),
              std::string::npos);
    EXPECT_NE(v255.find("Execute('##1~', false, false, false, false, false, wdFindContinue, false, false, '" +
                        std::string(15, 'b') + "'"),
              std::string::npos);
    EXPECT_EQ(countOf(v255, "objSelection.Find.Execute("), 43);
}

TEST(ReportScript, EscapesKeepTheScriptValidAndTheValueExact) {
    EXPECT_EQ(escapeScriptValue(L"O'Brien"), L"O\\'Brien");
    EXPECT_EQ(escapeScriptValue(L"a\\'b"), L"a\\\\\\'b");
    EXPECT_EQ(escapeScriptValue(L"line1\r\nline2"), L"line1\\r\\nline2");

    if (!haveNode()) GTEST_SKIP() << "node is not installed";
    TempDir dir;
    // A client name that tries to end the string and run code of its own.
    const std::wstring hostile = L"Romashka\\'); WScript.Quit(); ('\r\nx";
    const std::string script = scriptWith({{13, hostile}});
    EXPECT_EQ(replacementsFor(script, "KONTRAGENT", dir), codepage::toUtf8(hostile) + "\n");
}

TEST(ReportScript, PiecesNeverSplitAnEscape) {
    // 239 letters then an apostrophe: its escape would straddle the 240-character cut.
    const std::wstring value = std::wstring(239, L'x') + L"'" + std::wstring(30, L'y');
    const std::string script = scriptWith({{3, value}});
    EXPECT_NE(script.find("'##0~', false, false, false, false, false, wdFindContinue, false, false, '" +
                          std::string(239, 'x') + "'"),
              std::string::npos);
    EXPECT_NE(script.find("'##1~', false, false, false, false, false, wdFindContinue, false, false, '\\'yyy"),
              std::string::npos);
    if (!haveNode()) GTEST_SKIP() << "node is not installed";
    TempDir dir;
    const std::string pieces = replacementsFor(script, "##1~", dir);
    EXPECT_EQ(pieces, "'" + std::string(30, 'y') + "\n");
    // A run of backslashes across the cut, too: 235 letters, then five backslashes (ten characters
    // escaped) reach past 240; the cut moves back so that every escape stays whole.
    const std::wstring slashes = std::wstring(235, L'x') + std::wstring(5, L'\\') + std::wstring(20, L'z');
    const std::string slashScript = scriptWith({{3, slashes}});
    EXPECT_EQ(replacementsFor(slashScript, "##0~", dir), std::string(235, 'x') + "\\\\\n");
    EXPECT_EQ(replacementsFor(slashScript, "##1~", dir), "\\\\\\" + std::string(20, 'z') + "\n");
}

TEST(PictureScript, BothEndings) {
    const std::string save = buildPictureScript(true);
    const std::string open = buildPictureScript(false);
    EXPECT_EQ(save.rfind("var saveName = WScript.Arguments(0);\nvar picName  = WScript.Arguments(1);\n", 0),
              0u);
    EXPECT_NE(save.find("shapes.AddPicture(picName);\n\n\t\t\tadoc.SaveAs(saveName);\n\nword.quit();"),
              std::string::npos);
    EXPECT_TRUE(open.ends_with("\n\n\t\t\tword.Visible = true"));
}

TEST(Templates, DocumentsThenWorkbooksWithoutLockFiles) {
    TempDir dir;
    for (const char* name : {"b.doc", "a.docx", "~$a.docx", "c.xls", "d.xlsx", "e.txt", "F.DOC"})
        std::ofstream(dir / name) << "x";
    std::filesystem::create_directory(dir / "g.doc");
    const auto forms = scanTemplates(dir.path());
    std::vector<std::wstring> names;
    for (const TZWordForm& f : forms)
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"F.DOC", L"a.docx", L"b.doc", L"c.xls", L"d.xlsx"}));
    EXPECT_EQ(forms.at(0).path, (dir / "F.DOC").wstring());
    EXPECT_EQ(forms.at(0).enabled, 1);
    EXPECT_EQ(scanTemplates(dir / "missing").count(), 0);
}

TEST(Templates, RelativeFoldersLieBelowTheProgramDirectory) {
    EXPECT_EQ(templatesFolderPath(L"templates/", "/opt/tenzora"),
              std::filesystem::path("/opt/tenzora/templates"));
    EXPECT_EQ(templatesFolderPath(L"Шаблоны", "/opt/tenzora"), codepage::toPath(L"/opt/tenzora/Шаблоны"));
    EXPECT_EQ(templatesFolderPath(L"/srv/reports/", "/opt/tenzora"), std::filesystem::path("/srv/reports"));
}
