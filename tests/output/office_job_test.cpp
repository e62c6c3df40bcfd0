#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "model/ceiling.h"
#include "model/settings.h"
#include "output/office_documents.h"
#include "output/office_job.h"
#include "output/office_templates.h"
#include "platform/launcher.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts nothing: keeps what it was asked to start and the watch's call, for the test to make.
class WatchingLauncher : public FakeLauncherBase {
  public:
    bool startProgram(const std::wstring&, const std::vector<std::wstring>&) override { return false; }
    bool openDocument(const std::wstring& path) override {
        opened.push_back(path);
        return true;
    }
    std::wstring selfPath() override { return L"tenzora"; }
    bool startWatched(const std::wstring& program, const std::vector<std::wstring>& arguments,
                      std::function<void()> whenEnded) override {
        this->program = program;
        this->arguments = arguments;
        ended = std::move(whenEnded);
        return canStart;
    }
    // The job file the helper was given, read as JSON.
    nlohmann::json job() const { return nlohmann::json::parse(readText(codepage::toPath(arguments.at(1)))); }
    std::wstring program;
    std::vector<std::wstring> arguments;
    std::function<void()> ended;
    std::vector<std::wstring> opened;
    bool canStart = true;
};

} // namespace

TEST(OfficeJob, EveryValueTravelsAsDataWhateverItHolds) {
    EXPECT_EQ(jsonString(L"O'Brien \"и\" сыновья\\\n\t\x01"),
              "\"O'Brien \\\"и\\\" сыновья\\\\\\n\\t\\u0001\"");
    // A lone surrogate has no UTF-8 form: it becomes the replacement character, not a broken file.
    EXPECT_EQ(jsonString(std::wstring(1, static_cast<wchar_t>(0xD800))), "\"\xEF\xBF\xBD\"");

    OfficeJob job;
    job.kind = OfficeJob::Kind::Report;
    job.source = "/шаблоны/Смета \"клиента\".docx";
    job.output = "/tmp/out.docx";
    job.result = "/tmp/out.result";
    const std::wstring tricky = L"');\nimport os; os.system('rm -rf /') #\r\n" + std::wstring(300, L'ж');
    job.fields = {{"NUMBER", L"17"}, {"KONTRAGENT", tricky}};
    const nlohmann::json parsed = nlohmann::json::parse(officeJobJson(job));
    EXPECT_EQ(parsed["kind"], "report");
    EXPECT_EQ(parsed["template"], "/шаблоны/Смета \"клиента\".docx");
    EXPECT_EQ(parsed["output"], "/tmp/out.docx");
    EXPECT_EQ(parsed["result"], "/tmp/out.result");
    EXPECT_EQ(parsed["margins"]["left"], kOfficeMargin);
    ASSERT_EQ(parsed["fields"].size(), 2u);
    EXPECT_EQ(parsed["fields"][1]["keyword"], "KONTRAGENT");
    EXPECT_EQ(parsed["fields"][1]["value"], codepage::toUtf8(tricky));

    job.kind = OfficeJob::Kind::Convert;
    job.items = {{"/a.fodt", "/a.docx"}, {"/b.fods", "/b.xlsx"}};
    const nlohmann::json convert = nlohmann::json::parse(officeJobJson(job));
    EXPECT_EQ(convert["items"][1]["target"], "/b.xlsx");
}

TEST(OfficeJob, TheResultIsReadWhateverTheHelperLeft) {
    const OfficeResult ok = parseOfficeResult("status=ok\r\noutput=/tmp/Заказ - Смета.docx\r\n");
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(ok.output, L"/tmp/Заказ - Смета.docx");
    const OfficeResult failed = parseOfficeResult("reason=template\ndetail=cannot = open\nstatus=failed");
    EXPECT_EQ(failed.failure, OfficeFailure::Template);
    EXPECT_EQ(failed.detail, L"cannot = open");
    EXPECT_EQ(parseOfficeResult("status=failed\nreason=office").failure, OfficeFailure::NoOffice);
    EXPECT_EQ(parseOfficeResult("status=failed\nreason=kind").failure, OfficeFailure::Format);
    EXPECT_EQ(parseOfficeResult("status=failed\nreason=something new").failure, OfficeFailure::Internal);
    EXPECT_EQ(parseOfficeResult("").failure, OfficeFailure::NoResult);
    EXPECT_EQ(parseOfficeResult("status=maybe\n\n=\n\xff\xfe").failure, OfficeFailure::NoResult);
    EXPECT_EQ(readOfficeResult("/nonexistent/x.result").failure, OfficeFailure::NoResult);

    // Every failure says something, and names the file that was not made.
    for (OfficeFailure f : {OfficeFailure::NoResult, OfficeFailure::Stopped, OfficeFailure::NoOffice,
                            OfficeFailure::NoUno, OfficeFailure::Output}) {
        OfficeResult r;
        r.failure = f;
        EXPECT_NE(officeFailureText(r, L"t.docx", L"out.odt").find(L"out.odt"), std::wstring::npos);
    }
    OfficeResult none;
    none.failure = OfficeFailure::None;
    EXPECT_TRUE(officeFailureText(none, L"t", L"o").empty());
}

TEST(OfficeJob, TheReportIsNamedAfterTheOrderAndTheTemplate) {
    EXPECT_EQ(fileNamePart(L" Кухня/зал: 2 этаж. "), L"Кухня_зал_ 2 этаж");
    EXPECT_EQ(fileNamePart(L"..."), L"");
    EXPECT_EQ(fileNamePart(std::wstring(200, L'я')).size(), 80u);

    TempDir temp;
    const std::filesystem::path first = reserveReportPath(temp.path(), L"Заказ 17", "/t/Смета клиента.docx");
    EXPECT_EQ(first, temp / "Заказ 17 - Смета клиента.docx");
    EXPECT_TRUE(std::filesystem::exists(first)); // reserved, so that a second report takes another name
    EXPECT_EQ(reserveReportPath(temp.path(), L"Заказ 17", "/t/Смета клиента.docx"),
              temp / "Заказ 17 - Смета клиента (2).docx");
    // A copy open in LibreOffice (its lock file beside it) is not written over.
    std::ofstream(temp / ".~lock.Отчёт - Заказ в цех.ods#") << "x";
    EXPECT_EQ(reserveReportPath(temp.path(), L"", "Заказ в цех.ods"), temp / "Отчёт - Заказ в цех (2).ods");
    EXPECT_TRUE(reserveReportPath(temp / "no such folder", L"1", "t.odt").empty());
}

TEST(OfficeJob, TheTemplatesAreTheOfficeFilesOfTheFolderInNameOrder) {
    TempDir folder;
    for (const char* name : {"Смета.xlsx", "Акт.rtf", "Заказ.odt", "Бланк.DOC", "Цены.ods", "Лист.xls",
                             "~$Смета.xlsx", ".~lock.Заказ.odt#", "notes.txt", "Рисунок.png", "Договор.docx"})
        std::ofstream(folder / name) << "x";
    std::filesystem::create_directory(folder / "Архив.docx");
    const TZStaticArray<TZWordForm> forms = scanOfficeTemplates(folder.path());
    std::vector<std::wstring> names;
    for (int i = 0; i < forms.count(); ++i)
        names.push_back(forms.at(i).name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Акт.rtf", L"Бланк.DOC", L"Договор.docx", L"Заказ.odt",
                                                L"Лист.xls", L"Смета.xlsx", L"Цены.ods"}));
    EXPECT_EQ(forms.at(3).path, codepage::fromPath(folder / "Заказ.odt"));
    EXPECT_EQ(scanOfficeTemplates(folder / "none").count(), 0);

    // The command lists them from the templates folder below the program directory.
    TempDir programDir;
    std::filesystem::create_directory(programDir / "templates");
    std::ofstream(programDir / "templates" / "Заказ.ods") << "x";
    TestDocument t(false, programDir.path());
    AppSettings settings;
    std::vector<std::wstring> offered;
    ASSERT_TRUE(prepareTemplatesOfReport(*t, settings, offered));
    EXPECT_EQ(offered, std::vector<std::wstring>{L"Заказ.ods"});
}

TEST(OfficeJob, TheWindowsReportOpensWhenReadyAndTellsWhatFailed) {
    TempDir programDir, temp;
    std::filesystem::create_directories(programDir / "office");
    std::ofstream(programDir / "office" / "tenzora_office.py") << "# helper";
    TestDocument t(false, programDir.path());
    t->orderName = L"Кухня";
    t->client = L"О'Брайен\nи сыновья";
    t->resources.wordForms.append(TZWordForm{L"/шаблоны/Смета.docx", L"Смета.docx", 1});
    AppSettings settings;
    WatchingLauncher launcher;
    const OfficeContext context{programDir.path(), temp.path(), launcher};

    EXPECT_FALSE(startOfficeReport(*t, settings, 1, context)); // no such template
    EXPECT_TRUE(launcher.arguments.empty());

    ASSERT_TRUE(startOfficeReport(*t, settings, 0, context));
    EXPECT_EQ(launcher.program, kOfficePython);
    EXPECT_EQ(launcher.arguments.at(0), codepage::fromPath(programDir / "office" / "tenzora_office.py"));
    const nlohmann::json job = launcher.job();
    EXPECT_EQ(job["template"], "/шаблоны/Смета.docx");
    const std::filesystem::path output = temp / "Кухня - Смета.docx";
    EXPECT_EQ(job["output"], output.string());
    ASSERT_EQ(job["fields"].size(), 41u);
    EXPECT_EQ(job["fields"][13]["keyword"], "KONTRAGENT");
    EXPECT_EQ(job["fields"][13]["value"], "О'Брайен\nи сыновья");
    // The helper wrote its result: the report is opened, and the job's files are gone.
    std::ofstream(job["result"].get<std::string>()) << "status=ok\noutput=" << output.string() << "\n";
    launcher.ended();
    EXPECT_EQ(launcher.opened, std::vector<std::wstring>{codepage::fromPath(output)});
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(codepage::toPath(launcher.arguments.at(1))));

    // A failure is told, and the name reserved for the report is given back.
    ASSERT_TRUE(startOfficeReport(*t, settings, 0, context));
    const nlohmann::json second = launcher.job();
    EXPECT_EQ(second["output"], (temp / "Кухня - Смета (2).docx").string());
    std::ofstream(second["result"].get<std::string>()) << "status=failed\nreason=template\ndetail=broken\n";
    launcher.ended();
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, L"LibreOffice не может открыть файл /шаблоны/Смета.docx (broken)");
    EXPECT_FALSE(std::filesystem::exists(temp / "Кухня - Смета (2).docx"));

    // The helper ending without a word is a failure too, not silence; nor is a start that failed.
    ASSERT_TRUE(startOfficeReport(*t, settings, 0, context));
    launcher.ended();
    EXPECT_EQ(t.ui.messages.size(), 2u);
    launcher.canStart = false;
    EXPECT_FALSE(startOfficeReport(*t, settings, 0, context));
    ASSERT_EQ(t.ui.messages.size(), 3u);
    EXPECT_NE(t.ui.messages[2].text.find(L"python3-uno"), std::wstring::npos);

    // A program directory without the helper is named.
    const OfficeContext bare{temp.path(), temp.path(), launcher};
    launcher.canStart = true;
    EXPECT_FALSE(startOfficeReport(*t, settings, 0, bare));
    EXPECT_NE(t.ui.messages.back().text.find(L"tenzora_office.py"), std::wstring::npos);
}

TEST(OfficeJob, TheWordPictureBecomesADocumentOrAnUntitledOne) {
    EXPECT_TRUE(isPictureDocumentPath(L"/x/plan.DOC"));
    EXPECT_TRUE(isPictureDocumentPath(L"plan.docx"));
    EXPECT_TRUE(isPictureDocumentPath(L"plan.odt"));
    EXPECT_FALSE(isPictureDocumentPath(L"plan"));
    EXPECT_FALSE(isPictureDocumentPath(L"plan.jpeg"));

    TempDir programDir, temp;
    std::filesystem::create_directories(programDir / "office");
    std::ofstream(programDir / "office" / "tenzora_office.py") << "# helper";
    ScriptedUi ui;
    WatchingLauncher launcher;
    const OfficeContext context{programDir.path(), temp.path(), launcher};

    // A document target: written where the user chose; nothing else is opened.
    const std::filesystem::path picture = temp / "tz1.tmp.emf";
    std::ofstream(picture) << "emf";
    ASSERT_TRUE(startPictureDocument(ui, picture, L"/home/u/план.doc", context));
    nlohmann::json job = launcher.job();
    EXPECT_EQ(job["kind"], "picture");
    EXPECT_EQ(job["picture"], picture.string());
    EXPECT_EQ(job["output"], "/home/u/план.doc");
    std::ofstream(job["result"].get<std::string>()) << "status=ok\n";
    launcher.ended();
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(picture)); // it is inside the document now
    EXPECT_TRUE(ui.messages.empty());

    // No name: a template of the temporary folder, which the office program opens untitled.
    std::ofstream(picture) << "emf";
    ASSERT_TRUE(startPictureDocument(ui, picture, L"/home/u/план", context));
    job = launcher.job();
    EXPECT_EQ(job["output"], (temp / "tz1.tmp.ott").string());
    std::ofstream(job["result"].get<std::string>()) << "status=ok\n";
    launcher.ended();
    EXPECT_EQ(launcher.opened, std::vector<std::wstring>{codepage::fromPath(temp / "tz1.tmp.ott")});

    // A failure is told.
    std::ofstream(picture) << "emf";
    ASSERT_TRUE(startPictureDocument(ui, picture, L"/home/u/план.odt", context));
    std::ofstream(launcher.job()["result"].get<std::string>()) << "status=failed\nreason=picture\n";
    launcher.ended();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(L"LibreOffice не может прочитать рисунок ", 0), 0u);
}
