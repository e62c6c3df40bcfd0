#include "cli/commands.h"

namespace tenzora {

namespace cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"info", "FILE.tz", "open a project as the window's Open does and print it",
         "Opens the project as the window's Open command does (nothing is recomputed) and prints\n"
         "the project JSON.",
         runInfo},
        {"form", "FILE.tz [--method 0|1|2] [-o OUT]",
         "form the outline from the measurements (Поиск решения)",
         "Forms the outline as the window's \"Поиск решения\" (Ctrl+Enter) does, by the construction\n"
         "method 0 \"Двойной метод\" (default), 1 \"Треугольники\" or 2 \"Диф. уравнение\", and prints the\n"
         "project JSON with \"formResult\" and the \"statusText\" the side panel showed.",
         runForm},
        {"measure", "FILE.tz NAME=LENGTH ... [-o OUT]",
         "enter side and diagonal lengths as the side panel does",
         "For each NAME=LENGTH (NAME like AB, AC or A1-B2; LENGTH in cm, a comma or a point), selects the\n"
         "side or diagonal (created when missing) and sets the length as the side panel's \"Установить\"\n"
         "does, forming the outline after each entry. Prints the project JSON with \"warnings\".",
         runMeasure},
        {"new", "SHAPE ARGS -o OUT.tz", "a new project from the shape wizard or a corner count",
         "SHAPE ARGS is one of: corners LASTNAME (regular polygon, unmeasured sides), square S,\n"
         "rectangle X Y, corner-cut X Y W H, circle D N, ellipse X Y N (sizes in cm, N points).\n"
         "Saves the project to OUT.tz and prints the project JSON.",
         runNew},
        {"add-construction",
         "FILE.tz --kind arc|rectangle|corner-cut|trapezoid|bend --v1 A --v2 B [--d1 N] [--d2 N] [--depth N] "
         "[--depth2 N] [--arc-length N] [--extra-points N] [-o OUT.tz]",
         "add a construction as the construction dialog's OK does",
         "Adds an additional construction as the construction dialog's OK does for a new record: the\n"
         "cutout rows keep measuring from their points, the order list gets its entry. --v1 and --v2 are\n"
         "names of working-outline points as the drawing labels them (a corner cut takes only --v2, the\n"
         "corner). Distances and depths are centimetres; a positive depth points inward (a bend's level\n"
         "outward). --depth2 is a trapezoid's second depth or a bend's second level; --extra-points the\n"
         "arc's intermediate points (default 5); --arc-length is used when --depth is 0. Prints the\n"
         "project JSON; -o saves the result.",
         runAddConstruction},
        {"add-cutout",
         "FILE.tz --type rectangle|circle|ellipse|free [--mode N] [--size N] [--size2 N] [--parallel AB] "
         "[--turned] [--points N|auto] [--from DEG --to DEG] --row A:DIST,B:DIST [--row ...] [-o OUT.tz]",
         "add a cutout as the cutout dialog's OK does",
         "Adds a cutout as the cutout dialog's OK does for a new record. Each --row locates a point by its\n"
         "distances from two working-outline points (names as the drawing labels them). Modes: rectangle\n"
         "1 two neighbouring corners + side, 8 and 9 two opposite corners + side, 2 three corners\n"
         "clockwise; circle and ellipse 3 centre, 4 top, 5 right, 6 bottom, 7 left + diameter. --size is\n"
         "the side or (first) diameter, --size2 an ellipse's second diameter, --parallel the side its first\n"
         "diameter is parallel to, --turned turns it by 90 degrees. A free cutout takes any number of rows.\n"
         "Prints the project JSON; -o saves the result.",
         runAddCutout},
        {"layout",
         "FILE.tz --side AB [--perpendicular] [--offset X] [--two-diagonals CD --offset2 Y] [--group NAME] "
         "[--fabric NAME] [--width W] [--tension K] [--tension-y K] [--offcut-coef C] [--seams S] "
         "[--optimise[=fine]] "
         "[-o OUT.tz]",
         "lay the canvases out as the cutting dialog's OK (or its optimiser) does",
         "Shows the cutting dialog as \"Раскрой фигуры\" does (the outline is re-placed, the project enters\n"
         "the cutting mode; it is not formed here) and confirms it. --side is the seam side or diagonal\n"
         "(point names of the working outline, the cutout points continuing them); --perpendicular lays the\n"
         "seams at right angles to it, --offset shifts the seam grid (cm); --two-diagonals CD with --offset "
         "and\n"
         "--offset2 lays them along the line joining the points at those distances along the two diagonals.\n"
         "--group and --fabric choose the fabric type and the fabric in the materials base of the program\n"
         "directory (by default the project's fabric, else the first one); --width, --tension, --tension-y,\n"
         "--offcut-coef and --seams then override the dialog's fields. --optimise runs \"Оптимизировать\n"
         "расход материала\" instead of OK: every pair of vertices is tried (seams parallel, offset 0) and "
         "the\n"
         "one with the least material is laid out. --optimise=fine runs \"Искать точнее\": it also tries "
         "every\n"
         "direction of a side or diagonal with the seams at right angles and the seam grid shifted across "
         "one\n"
         "pitch, and keeps the least material (never more than --optimise). Prints the project JSON; -o "
         "saves\n"
         "the result.",
         runLayout},
        {"check", "FILE.tz", "which measurements disagree with the rest (Проверить измерения)",
         "Fits the outline to all measured sides and diagonals and to all but each suspect, and prints "
         "which\n"
         "records disagree with the rest (\"suspects\": measured and fitted lengths, the error without "
         "each),\n"
         "the triangles that cannot close (\"impossible\"), whether there is any redundant record, and the\n"
         "lines the window shows (\"messages\"). The project is not changed.",
         runCheck},
        {"price", "FILE.tz", "the estimate of a project",
         "Prices the project from price.dat of the program directory as the printed sheet does: jobCost\n"
         "(with extra works), materialSum (without them), extrasSum and each extra work's cost.",
         runPrice},
        {"price-list", "[--set FILE.json]", "the price lists of price.dat as JSON, or written from JSON",
         "Prints the price lists of price.dat in the program directory as JSON: \"cities\", \"areaSteps\"\n"
         "(m2), \"cornerSteps\", \"ceilings\" ({name, city, prices per area band}), \"corners\" ({city,\n"
         "prices per corner band}) and \"extraWorks\" ({name, city, price}); cities are 0-based indexes.\n"
         "With --set FILE.json, price.dat is written from such a text instead and printed back. The text\n"
         "is checked first (all six lists present, names not empty, city indexes in the list of cities,\n"
         "gradations ascending as the price list settings keep them, prices not negative); when it is\n"
         "refused the message names the field and price.dat is left as it was.",
         runPriceList},
        {"order-export", "FILE.tz OUT.txt", "the order data export (Выгрузка данных проекта)",
         "Writes the order export of the project as the window's \"Выгрузка данных проекта\" does: "
         "\"#Label:value\"\nlines in Windows-1251 with line feeds, priced from price.dat of the program "
         "directory. Refused\nin dealer mode.",
         runOrderExport},
        {"stock", "", "the stock scan over the drawing folders",
         "Scans the drawing folders (--folder, or the configured ones) as the materials dialog's\n"
         "\"Показать остатки\" does and prints every material of the base with its remainder, and every\n"
         "movement (project or receipt) found.",
         runStock},
        {"receipt", "--material ID --quantity Q --date D", "record a receipt of material into stock",
         "Writes a receipt (\"ADDMATERIAL\") file into the first drawing folder as the materials dialog's\n"
         "\"Добавить остаток на склад\" does: ID is the material's id in the base, Q the quantity in m2\n"
         "(negative: a write-off), D the date as typed. Prints the path written.",
         runReceipt},
        {"materials-csv", "OUT.csv", "the materials base as a CSV table (В Excel)",
         "Writes the materials base as the materials dialog's \"В Excel\" does, after the stock scan of "
         "its\n\"Показать остатки\" over the drawing folders (without folders every remainder is 0).",
         runMaterialsCsv},
        {"clients", "[--csv OUT.csv]", "the client list gathered from the drawing folders",
         "Reads every project of the drawing folders as the client list dialog does and prints the\n"
         "clients (grouped by exact name, orders counted and priced) and their projects. --csv also\n"
         "writes the list as the dialog's \"В Excel\" does.",
         runClients},
        {"export", "FILE.tz OUT.EXT [--form N] [--canvases]",
         "export the drawing or a printed sheet as a picture",
         "Exports the drawing (or, with --form N, the printed sheet of print form N, 0-based in the order "
         "the\n"
         "forms of the program directory are loaded) by the last three characters of OUT: png, gif, tiff\n"
         "(\"iff\"), jpg, wmf, emf or pdf; .doc, .docx, .odt and .rtf write a document holding the picture "
         "on an\n"
         "A4 page (through LibreOffice); any other ending (jpeg, none) writes the Word picture and its\n"
         "script in the temporary folder. 4 pixels per cm of the outline; a sheet is an A4 page with its\n"
         "continuation page below it (a second page in a PDF). A line on standard error tells the size.\n"
         "OUT ending in .dxf (any case) writes the drawing as DXF in centimetres; with --canvases the "
         "canvas\n"
         "pieces for cutting; .plt writes the canvas pieces as HPGL for a cutting plotter.",
         runExport},
        {"vars", "FILE.tz [--english] [--wrap N] [--max-lines N]",
         "the text of every variable of the printed sheet",
         "Prints the text of each of the 41 variables of the printed sheet (keyed by keyword) as a PRINTVAR\n"
         "element with wrap width N (--wrap, characters) and N lines (--max-lines) shows it, in English "
         "with\n"
         "--english, and the \"continuation\" text that the lists too long for their lines send to the\n"
         "continuation page. Without options: no wrapping, no line limit, Russian (as a report asks).",
         runVars},
        {"forms", "", "the print forms of the program directory",
         "Reloads the print forms (*.pem) of the program directory in the order the print menu lists them\n"
         "(by file name) and prints each form's index, name and file. Forms that fail to load are left out.",
         runForms},
        {"report-script", "FILE.tz OUT.js", "write the Word/Excel report script of a project",
         "Writes the script that opens a Word or Excel template (its first argument) and replaces every\n"
         "report keyword by the project's value, as \"Отчет в Word или Excel\" does (Windows-1251 text).",
         runReportScript},
        {"picture-script", "OUT.js [--save]", "write the script that puts a picture into a Word document",
         "Writes the script that inserts a picture (second argument) into a new Word document and leaves\n"
         "Word open, or with --save saves the document as the first argument and quits.",
         runPictureScript},
        {"print", "FILE.tz --form N [--printer NAME] [--copies K]",
         "print the sheet of a print form on a print queue",
         "Prints the sheet of print form N (0-based, as \"forms\" lists them) as the window's \"Печать\" "
         "does,\n"
         "without the dialog: to the CUPS queue NAME (default: the default queue), K copies (default 1), "
         "laid\n"
         "out for the queue's default paper and printable area, the continuation page as a second page.\n"
         "Prints the queue, the page count and the job number; exits with 1 and the reason when there is no\n"
         "such queue or the queue refuses the job.",
         runPrint},
        {"printers", "", "the print queues",
         "Lists the print queues of the CUPS server (CUPS_SERVER, else the system's): name, whether it is\n"
         "the default one, and its state (idle, printing, stopped).",
         runPrinters},
        {"report", "FILE.tz TEMPLATE OUT", "fill a Word, Excel or LibreOffice template through LibreOffice",
         "Fills the template (.doc, .docx, .odt, .rtf in Writer; .xls, .xlsx, .ods in Calc) as \"Отчет в "
         "Word\n"
         "или Excel\" does where no Windows Script Host exists: every report keyword, in any case and "
         "inside\n"
         "words, is replaced by the project's value (as \"vars\" prints them), the page margins are set as "
         "the\n"
         "report script sets them, and the result is written to OUT in the format of its ending (.docx, "
         ".doc,\n"
         ".odt, .rtf, .pdf, .xlsx, .xls, .ods, ...). The template is not changed. LibreOffice runs headless "
         "with\n"
         "a profile of its own (TENZORA_SOFFICE names the soffice to use). On failure nothing is written at "
         "OUT.",
         runReport},
    };
    return table;
}

} // namespace cli

} // namespace tenzora
