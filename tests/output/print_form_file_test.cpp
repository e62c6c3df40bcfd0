#include <gtest/gtest.h>

#include <fstream>

#include "output/print_form_file.h"
#include "output/report_fields.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

std::string ansi(const std::wstring& text) {
    return codepage::toCp1251(text);
}

TZPrintForm parse(const std::wstring& text, bool dealer = false, bool* ok = nullptr) {
    TZPrintForm form;
    const bool loaded = parsePrintForm(form, ansi(text), dealer);
    if (ok) *ok = loaded;
    return form;
}

const TZPrintFormElem& logoOf(const TZPrintForm& f) {
    return f.at(f.count() - 1);
}

} // namespace

TEST(ReportFields, FortyOneKeywordsLongerOnesFirst) {
    const auto& fields = reportFields();
    ASSERT_EQ(fields.size(), 41u);
    for (std::size_t i = 0; i < fields.size(); ++i)
        for (std::size_t j = i + 1; j < fields.size(); ++j)
            EXPECT_EQ(fields[j].keyword.find(fields[i].keyword), std::string_view::npos)
                << fields[i].keyword << " stands before " << fields[j].keyword << ", which contains it";
    EXPECT_EQ(reportFieldId(L"sumprice"), 32);
    EXPECT_EQ(reportFieldId(L"Square"), 9);
    EXPECT_EQ(reportFieldId(L"NOSUCH"), 0);
    EXPECT_EQ(reportFieldKeyword(36), "MATERIAL");
}

TEST(PrintFormFile, NameStatementsAndTheLogoLast) {
    const TZPrintForm f = parse(L"Лист для цеха\r\nprint ; 10 ; 20 ; 5 ; Итого \r\nLINE;10;30;190;0\r\n");
    EXPECT_EQ(f.name, L"Лист для цеха");
    ASSERT_EQ(f.count(), 3);
    const TZPrintFormElem& print = f.at(0);
    EXPECT_EQ(print.type, static_cast<int>(PrintElemType::Print));
    EXPECT_EQ(print.x, 10);
    EXPECT_EQ(print.y, 20);
    EXPECT_EQ(print.size, 5);
    EXPECT_EQ(print.text, L"Итого");
    EXPECT_EQ(f.at(1).type, static_cast<int>(PrintElemType::Line));
    EXPECT_EQ(f.at(1).width, 190);
    const TZPrintFormElem& logo = logoOf(f);
    EXPECT_EQ(logo.type, static_cast<int>(PrintElemType::Logo));
    EXPECT_EQ(logo.x, 10);
    EXPECT_EQ(logo.y, 12);
    EXPECT_EQ(logo.width, 40);
    EXPECT_DOUBLE_EQ(logo.height, 17.6);
}

TEST(PrintFormFile, PrintVarTakesSixToEightArguments) {
    const TZPrintForm f = parse(L"F\r"
                                L"PRINTVAR;10;20;100;30;4;sides\r"
                                L"PRINTVAR;10;20;100;30;4;SIDES;60\r"
                                L"PRINTVAR;10;20;100;30;4;SIDES;60;3\r"
                                L"PRINTVAR;10;20;100;30;4\r"              // 5 arguments: skipped
                                L"PRINTVAR;10;20;100;30;4;SIDES;60;3;9\r" // 9 arguments: skipped
                                L"PRINTVAR;10;20;100;30;4;НЕТТАКОЙ\r");
    ASSERT_EQ(f.count(), 5);
    EXPECT_EQ(f.at(0).variable, 6);
    EXPECT_EQ(f.at(0).text, L"sides");
    EXPECT_EQ(f.at(1).wrapWidth, 60);
    EXPECT_EQ(f.at(1).maxLines, 0);
    EXPECT_EQ(f.at(2).maxLines, 3);
    EXPECT_EQ(f.at(3).variable, 0); // unknown name: prints nothing
}

TEST(PrintFormFile, FigurePercentDefaultsToAHundred) {
    const TZPrintForm f =
        parse(L"F\rFIGURE;10;40;190;150;2\rFIGURE;10;40;190;150;4;80\rPICTURE;1;2;3;4;2\rENGLISH\rUNKNOWN\r");
    ASSERT_EQ(f.count(), 6);
    EXPECT_EQ(f.at(0).percent, 100);
    EXPECT_EQ(f.at(0).size, 2);
    EXPECT_EQ(f.at(1).percent, 80);
    EXPECT_EQ(f.at(2).type, static_cast<int>(PrintElemType::Picture));
    EXPECT_EQ(f.at(2).size, 2);
    EXPECT_EQ(f.at(3).type, static_cast<int>(PrintElemType::English));
    EXPECT_EQ(f.at(4).type, static_cast<int>(PrintElemType::Unknown));
}

TEST(PrintFormFile, AnEmptyLineEndsTheForm) {
    const TZPrintForm f = parse(L"F\r\nPRINT;1;1;5;a\r\n\r\nPRINT;2;2;5;b\r\n");
    ASSERT_EQ(f.count(), 2);
    EXPECT_EQ(f.at(0).text, L"a");
    EXPECT_EQ(logoOf(f).type, static_cast<int>(PrintElemType::Logo));
}

TEST(PrintFormFile, WrongStatementsAreSkippedSilently) {
    const TZPrintForm f = parse(L"F\rBOGUS;1;2\rPRINT;1;2;3\rLINE;1;2;3;4;5\rENGLISH;1\rPRINT;x;y;z;ok\r");
    ASSERT_EQ(f.count(), 2);
    EXPECT_EQ(f.at(0).x, 0); // fields that are not numbers read as 0
    EXPECT_EQ(f.at(0).text, L"ok");
}

TEST(PrintFormFile, LongFieldsAreCutAndCrowdedLinesSkipped) {
    std::wstring longText(100, L'я');
    std::wstring crowded = L"PRINT";
    for (int i = 0; i < 20; ++i)
        crowded += L";1";
    const TZPrintForm f = parse(L"F\rPRINT;1;2;3;" + longText + L"\r" + crowded + L"\r");
    ASSERT_EQ(f.count(), 2);
    EXPECT_EQ(f.at(0).text.size(), 79u);
}

TEST(PrintFormFile, DealerModeRefusesCuttingAndDealerPurposes) {
    bool ok = true;
    parse(L"F\rFIGURE;10;40;190;150;4\r", true, &ok);
    EXPECT_FALSE(ok);
    parse(L"F\rFIGURE;10;40;190;150;51\r", true, &ok);
    EXPECT_FALSE(ok);
    parse(L"F\rFIGURE;10;40;190;150;2\r", true, &ok);
    EXPECT_TRUE(ok);
    parse(L"F\rFIGURE;10;40;190;150;4\r", false, &ok);
    EXPECT_TRUE(ok);
}

TEST(PrintFormFile, Utf8VariantEqualsItsWindows1251Twin) {
    const std::wstring text = L"Форма\r\nPRINT;10;20;5;Заказчик\r\nPRINTVAR;1;2;3;4;5;KONTRAGENT\r\n";
    TZPrintForm ansiForm;
    TZPrintForm utf8Form;
    ASSERT_TRUE(parsePrintForm(ansiForm, codepage::toCp1251(text), false));
    ASSERT_TRUE(parsePrintForm(utf8Form, "!" + codepage::toUtf8(text), false));
    EXPECT_EQ(utf8Form.name, ansiForm.name);
    ASSERT_EQ(utf8Form.count(), ansiForm.count());
    for (int i = 0; i < ansiForm.count(); ++i) {
        EXPECT_EQ(utf8Form.at(i).text, ansiForm.at(i).text);
        EXPECT_EQ(utf8Form.at(i).type, ansiForm.at(i).type);
    }
}

TEST(PrintFormFile, ReloadReadsEveryFormOfTheProgramDirectoryInNameOrder) {
    TempDir dir;
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    };
    write("b.pem", ansi(L"Вторая\rPRINT;1;1;5;b\r"));
    write("a.PEM", ansi(L"Первая\rPRINT;1;1;5;a\r"));
    write("c.pem", ansi(L"Дилерская\rFIGURE;1;1;1;1;4\r"));
    write("notes.txt", "x");
    std::filesystem::create_directory(dir / "d.pem");
    TestDocument t(false, dir.path());
    reloadPrintForms(*t, false);
    ASSERT_EQ(t->resources.printForms.count(), 3);
    EXPECT_EQ(t->resources.printForms.at(0).name, L"Первая");
    EXPECT_EQ(t->resources.printForms.at(1).name, L"Вторая");
    reloadPrintForms(*t, true);
    EXPECT_EQ(t->resources.printForms.count(), 2);
}
