// tenzora-cli report and the picture documents of export, with the real headless LibreOffice: the
// templates are made here as flat OpenDocument files, stored in the office formats by the
// program's office helper, filled by tenzora-cli, and read back as text by LibreOffice again.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "business/project_file.h"
#include "cli_run.h"
#include "output/office_job.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

const std::filesystem::path kProgramDir = TENZORA_PROGRAM_DIR;

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
    return s;
}

// A keyword as the template writes it: upper, lower or capitalised case, by turns.
std::string spelled(const std::string& keyword, std::size_t turn) {
    std::string s = keyword;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool upper = turn % 3 == 0 || (turn % 3 == 2 && i == 0);
        if (!upper && s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] + ('a' - 'A'));
    }
    return s;
}

// What a template line becomes: each keyword (in the report's order, any case) replaced by its
// value, and a value never searched again.
std::string filled(std::string line, const std::vector<std::pair<std::string, std::string>>& fields) {
    std::vector<std::string> parts{line};
    std::vector<int> owner{-1}; // -1: template text still to search
    for (std::size_t k = 0; k < fields.size(); ++k) {
        std::vector<std::string> nextParts;
        std::vector<int> nextOwner;
        for (std::size_t p = 0; p < parts.size(); ++p) {
            if (owner[p] >= 0) {
                nextParts.push_back(parts[p]);
                nextOwner.push_back(owner[p]);
                continue;
            }
            const std::string upper = upperAscii(parts[p]);
            std::size_t at = 0;
            for (std::size_t j; (j = upper.find(fields[k].first, at)) != std::string::npos;
                 at = j + fields[k].first.size()) {
                nextParts.push_back(parts[p].substr(at, j - at));
                nextOwner.push_back(-1);
                nextParts.push_back(fields[k].second);
                nextOwner.push_back(static_cast<int>(k));
            }
            nextParts.push_back(parts[p].substr(at));
            nextOwner.push_back(-1);
        }
        parts = std::move(nextParts);
        owner = std::move(nextOwner);
    }
    std::string out;
    for (const std::string& p : parts)
        out += p;
    return out;
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out.push_back(c);
    }
    return out;
}

const char kNamespaces[] =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" office:version=\"1.3\"";

std::string flatText(const std::vector<std::string>& lines) {
    std::string xml =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document ") + kNamespaces +
        " office:mimetype=\"application/vnd.oasis.opendocument.text\"><office:body><office:text>\n";
    for (const std::string& line : lines)
        xml += "<text:p>" + xmlEscaped(line) + "</text:p>\n";
    return xml + "</office:text></office:body></office:document>\n";
}

std::string flatSheet(const std::vector<std::string>& lines) {
    std::string xml = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document ") +
                      kNamespaces +
                      " office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body>"
                      "<office:spreadsheet><table:table table:name=\"T\">\n";
    for (const std::string& line : lines)
        xml += "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>" + xmlEscaped(line) +
               "</text:p></table:table-cell></table:table-row>\n";
    return xml + "</table:table></office:spreadsheet></office:body></office:document>\n";
}

// Runs a conversion job of the office helper: each source stored in its target's format.
void convert(const TempDir& dir,
             const std::vector<std::pair<std::filesystem::path, std::filesystem::path>>& items) {
    OfficeJob job;
    job.kind = OfficeJob::Kind::Convert;
    job.items = items;
    job.result = dir / "convert.result";
    std::ofstream(dir / "convert.json") << officeJobJson(job);
    const std::string command = "/usr/bin/python3 " + shellQuoted((kProgramDir / kOfficeHelper).string()) +
                                " " + shellQuoted((dir / "convert.json").string());
    ASSERT_EQ(std::system(command.c_str()), 0) << slurp(dir / "convert.result");
    for (const auto& item : items)
        ASSERT_TRUE(std::filesystem::exists(item.second)) << item.second;
}

std::string withoutByteOrderMark(std::string text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The cells of a tab-separated export with quoted texts, one row a cell.
std::vector<std::string> csvCells(const std::string& text) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell.push_back(text[++i]);
            else if (c == '"')
                quoted = false;
            else
                cell.push_back(c);
        } else if (c == '"') {
            quoted = any = true;
        } else if (c == '\n') {
            cells.push_back(cell);
            cell.clear();
            any = false;
        } else if (c != '\t' && c != '\r') {
            cell.push_back(c);
            any = true;
        }
    }
    if (any || !cell.empty()) cells.push_back(cell);
    return cells;
}

// One project, templates in the four office formats and the values of "vars", made once for the
// suite (every LibreOffice start costs seconds).
struct ReportSetup {
    TempDir dir;
    std::string project;
    std::vector<std::pair<std::string, std::string>> fields; // keyword, value (vars)
    std::vector<std::string> lines;                          // the template's text
    std::string client, note;

    ReportSetup() {
        TestDocument t(false, kProgramDir);
        EXPECT_TRUE(t->openFile(codepage::fromUtf8(TENZORA_SOURCE_DIR "/data/examples/l-shaped-hall.tz")));
        client = "Д'Артаньян и О'Брайен\nподрядчики";
        note.clear();
        for (int i = 0; i < 60; ++i)
            note += "Прим" + std::to_string(i % 10); // 300 characters
        t->client =
            codepage::fromUtf8(client) + L"¬7701234567¬770101001¬ул. Лесная, 5¬40702810¬+7 900 000-00-00";
        t->note = codepage::fromUtf8(note);
        project = (dir / "hall.tz").string();
        EXPECT_TRUE(saveProject(*t, codepage::fromUtf8(project)));

        const CliRun vars = runCli({"vars", project});
        EXPECT_EQ(vars.status, 0) << vars.err;
        const nlohmann::json values = vars.json()["vars"];
        // The report's order: the order of the report fields (longer keywords first).
        for (const char* keyword :
             {"NUMBER",    "DATE",        "NAME",      "COLOR",    "LASTLETTER", "SIDES",
              "DIAGONALS", "RASKROYLINE", "SQUAREMAT", "SQUARE",   "OBREZKI",    "COUNTCORNER",
              "PERIMETER", "KONTRAGENT",  "INN",       "KPP",      "ADDRESS",    "RASSCHET",
              "PHONE",     "POLOTNA",     "ERROR",     "FORMS",    "COMMENT",    "ANGLESCOUNT",
              "ANGLES",    "PRINTTITLE",  "LENGTHMAT", "MATWIDTH", "WORKTIME",   "WORK",
              "SCALE",     "REDUCT",      "MATGROUP",  "SUMPRICE", "PRICE",      "CITY",
              "GARPUN",    "SUMMATERIAL", "SUMADDJOB", "ADDJOB",   "MATERIAL"})
            fields.emplace_back(keyword, values.value(keyword, std::string("?")));

        for (std::size_t i = 0; i < fields.size(); ++i)
            lines.push_back("[" + std::to_string(i) + "]" + spelled(fields[i].first, i) + "[/" +
                            std::to_string(i) + "]");
        lines.push_back("Numbers: SQUAREMATSQUARE, anglesCountAngles, sumpriceprice;");
        lines.push_back("ЗаказNUMBERот date");

        std::ofstream(dir / "t.fodt") << flatText(lines);
        std::ofstream(dir / "t.fods") << flatSheet(lines);
        convert(dir, {{dir / "t.fodt", dir / "t.docx"},
                      {dir / "t.fodt", dir / "t.odt"},
                      {dir / "t.fods", dir / "t.xlsx"},
                      {dir / "t.fods", dir / "t.ods"}});
    }
    std::vector<std::string> expected() const {
        std::vector<std::string> out;
        for (const std::string& line : lines)
            out.push_back(filled(line, fields));
        return out;
    }
    std::string value(const std::string& keyword) const {
        for (const auto& [k, v] : fields)
            if (k == keyword) return v;
        return {};
    }
};

class CliReport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setup_ = new ReportSetup; }
    static void TearDownTestSuite() {
        delete setup_;
        setup_ = nullptr;
    }
    static ReportSetup* setup_;
};
ReportSetup* CliReport::setup_ = nullptr;

TEST_F(CliReport, EveryKeywordOfEveryFormatBecomesTheValueOfVars) {
    const ReportSetup& s = *setup_;
    ASSERT_EQ(s.fields.size(), 41u);
    // The values the project was given arrive in vars as they are.
    EXPECT_EQ(s.value("KONTRAGENT"), s.client);
    EXPECT_EQ(s.value("COMMENT"), s.note);
    EXPECT_NE(s.value("ADDJOB").find('\t'), std::string::npos);

    const TempDir out;
    const std::vector<std::string> formats = {"docx", "odt", "xlsx", "ods"};
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> readBack;
    for (const std::string& format : formats) {
        const std::filesystem::path source = s.dir / ("t." + format);
        const std::string before = slurp(source);
        const std::filesystem::path target = out / ("filled." + format);
        const CliRun run = runCli({"report", s.project, source.string(), target.string()});
        ASSERT_EQ(run.status, 0) << format << ": " << run.err;
        EXPECT_EQ(slurp(source), before) << "the template " << format << " was changed";
        const bool sheet = format == "xlsx" || format == "ods";
        readBack.push_back({target, out / (format + (sheet ? ".csv" : ".txt"))});
    }
    convert(out, readBack);

    const std::vector<std::string> expected = s.expected();
    std::string expectedText;
    for (const std::string& line : expected)
        expectedText += (expectedText.empty() ? "" : "\n") + line;
    for (std::size_t f = 0; f < formats.size(); ++f) {
        const std::string text = withoutByteOrderMark(slurp(readBack[f].second));
        if (formats[f] == "xlsx" || formats[f] == "ods") {
            // LibreOffice's own format keeps no tab in a cell of several lines: a blank stands for it.
            std::vector<std::string> wanted = expected;
            if (formats[f] == "ods")
                for (std::string& cell : wanted)
                    if (cell.find('\n') != std::string::npos)
                        for (char& c : cell)
                            if (c == '\t') c = ' ';
            const std::vector<std::string> cells = csvCells(text);
            EXPECT_EQ(cells.size(), wanted.size()) << formats[f];
            for (std::size_t i = 0; i < cells.size() && i < wanted.size(); ++i)
                EXPECT_EQ(cells[i], wanted[i]) << formats[f] << " row " << i;
        } else {
            EXPECT_EQ(text, expectedText) << formats[f];
        }
        // No keyword is left anywhere, in any case.
        const std::string upper = upperAscii(text);
        for (const auto& [keyword, value] : s.fields)
            EXPECT_EQ(upper.find(keyword), std::string::npos) << formats[f] << " still holds " << keyword;
        // The long comment arrives whole, and the client's apostrophes and line feed with it.
        EXPECT_NE(text.find(s.note), std::string::npos) << formats[f];
        EXPECT_NE(text.find(s.client), std::string::npos) << formats[f];
    }
}

TEST_F(CliReport, FailuresAreToldAndLeaveNothingAtTheTarget) {
    const ReportSetup& s = *setup_;
    const TempDir out;
    // A document LibreOffice cannot open: a broken Word file.
    std::ofstream(out / "broken.docx") << "PK\x03\x04 not a document";
    const CliRun broken =
        runCli({"report", s.project, (out / "broken.docx").string(), (out / "a.docx").string()});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("LibreOffice не может открыть файл"), std::string::npos) << broken.err;
    EXPECT_FALSE(std::filesystem::exists(out / "a.docx"));

    // No LibreOffice: the file that was there stays as it was.
    std::ofstream(out / "kept.docx") << "old";
    const CliRun missing =
        runCli({"report", s.project, (s.dir / "t.docx").string(), (out / "kept.docx").string()}, kProgramDir,
               "TENZORA_SOFFICE=/nonexistent/soffice");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Не найден LibreOffice (программа soffice)"), std::string::npos)
        << missing.err;
    EXPECT_EQ(slurp(out / "kept.docx"), "old");

    // A spreadsheet is no text document; a template that is not there; a folder that is not there.
    const CliRun kind = runCli({"report", s.project, (s.dir / "t.ods").string(), (out / "b.docx").string()});
    EXPECT_EQ(kind.status, 1);
    EXPECT_NE(kind.err.find("нельзя сохранить в формате"), std::string::npos) << kind.err;
    EXPECT_EQ(runCli({"report", s.project, (out / "none.odt").string(), (out / "c.odt").string()}).status, 1);
    const CliRun folder =
        runCli({"report", s.project, (s.dir / "t.odt").string(), (out / "no folder" / "d.odt").string()});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("Не удалось записать файл"), std::string::npos) << folder.err;
    EXPECT_EQ(runCli({"report", s.project, (s.dir / "t.odt").string()}).status, 2);

    // Nothing half-made is left beside the targets.
    for (const auto& entry : std::filesystem::directory_iterator(out.path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".tzpart-", 0), std::string::npos) << entry.path();
}

TEST_F(CliReport, TheWordExportWritesADocumentHoldingTheVectorPicture) {
    const ReportSetup& s = *setup_;
    const TempDir out, temp;
    const std::string environment = "TMPDIR=" + shellQuoted(temp.path().string());
    for (const char* name : {"plan.docx", "plan.odt"}) {
        const CliRun run = runCli({"export", s.project, (out / name).string()}, kProgramDir, environment);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("a document holding the picture"), std::string::npos) << run.err;
    }
    // The metafile travels inside: Word's file keeps it as a Windows metafile, LibreOffice's as
    // its own or an enhanced one; neither is a grid of pixels.
    const std::string docx = slurp(out / "plan.docx");
    EXPECT_EQ(docx.rfind("PK", 0), 0u);
    EXPECT_TRUE(docx.find("word/media/image1.wmf") != std::string::npos ||
                docx.find("word/media/image1.emf") != std::string::npos);
    const std::string odt = slurp(out / "plan.odt");
    EXPECT_NE(odt.find(".emf"), std::string::npos);
    // The picture, its script, the job and LibreOffice's profile made on the way are gone.
    for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind("tz", 0) != 0 && name.rfind("ex1script", 0) != 0 &&
                    name.rfind("tenzora-", 0) != 0)
            << name;
    }
}

} // namespace
