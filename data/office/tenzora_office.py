#!/usr/bin/python3
# Tenzora's office helper: fills a report template, makes a document holding a picture, or
# converts documents, in a headless LibreOffice driven through its UNO bridge.
#
#     /usr/bin/python3 tenzora_office.py JOB.json
#
# The job file (UTF-8 JSON, written by Tenzora) says what to do; every text of the project
# arrives there as data and is only ever handed to LibreOffice as a string. The helper writes the
# outcome to the job's "result" file as "key=value" lines:
#
#     status=ok                      status=failed
#     output=/path/written           reason=office|uno|template|kind|output|picture|job|internal
#                                    detail=one line for the user
#
# LibreOffice runs with a profile folder of its own, made for this run and removed afterwards, so
# that it never meets the user's open LibreOffice and two jobs can run at the same time. The
# target file is written under a temporary name in its folder and renamed when it is complete:
# a failure never leaves a half-written file at the target.
#
# TENZORA_SOFFICE names the soffice program to use (default: soffice on PATH, then the usual
# installation folders).

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import uuid

EXIT_OK = 0
EXIT_FAILED = 1
EXIT_BAD_JOB = 2

# How long LibreOffice may take to accept the connection (a first start with a new profile takes
# a few seconds; a loaded machine more).
CONNECT_SECONDS = 90

# Filters by the ending of the target: (for text documents, for spreadsheets).
FILTERS = {
    ".doc": ("MS Word 97", None),
    ".docx": ("MS Word 2007 XML", None),
    ".odt": ("writer8", None),
    ".ott": ("writer8_template", None),
    ".rtf": ("Rich Text Format", None),
    ".fodt": ("OpenDocument Text Flat XML", None),
    ".txt": ("Text (encoded)", None),
    ".html": ("HTML (StarWriter)", "HTML (StarCalc)"),
    ".pdf": ("writer_pdf_Export", "calc_pdf_Export"),
    ".xls": (None, "MS Excel 97"),
    ".xlsx": (None, "Calc MS Excel 2007 XML"),
    ".ods": (None, "calc8"),
    ".fods": (None, "OpenDocument Spreadsheet Flat XML"),
    ".csv": (None, "Text - txt - csv (StarCalc)"),
}
# Text export options: UTF-8 with line feeds; CSV: tab-separated, quoted texts, UTF-8.
FILTER_OPTIONS = {
    "Text (encoded)": "UTF8,LF,,,",
    "Text - txt - csv (StarCalc)": "9,34,76,1,,0,true,true",
}

# Page margins in hundredths of a millimetre: Word's PageSetup takes the report and picture
# scripts' value of 1 as one point.
ONE_POINT = 35


class Failure(Exception):
    def __init__(self, reason, detail):
        super().__init__(detail)
        self.reason = reason
        self.detail = detail


class Terminated(Exception):
    pass


def one_line(text):
    return " ".join(str(text).split())


def write_result(path, fields):
    if not path:
        return
    folder = os.path.dirname(path) or "."
    fd, temporary = tempfile.mkstemp(prefix=".tzresult-", dir=folder)
    with os.fdopen(fd, "w", encoding="utf-8", newline="\n") as out:
        for key, value in fields:
            out.write("%s=%s\n" % (key, one_line(value)))
    os.replace(temporary, path)


def find_soffice():
    override = os.environ.get("TENZORA_SOFFICE")
    if override is not None:
        if os.path.isfile(override) and os.access(override, os.X_OK):
            return override
        raise Failure("office", "soffice not found: TENZORA_SOFFICE=" + override)
    found = shutil.which("soffice")
    if found:
        return found
    for candidate in ("/usr/lib/libreoffice/program/soffice", "/opt/libreoffice/program/soffice"):
        if os.access(candidate, os.X_OK):
            return candidate
    raise Failure("office", "soffice not found")


def file_url(path):
    import uno
    return uno.systemPathToFileUrl(os.path.abspath(path))


def props(**values):
    from com.sun.star.beans import PropertyValue
    result = []
    for name, value in values.items():
        p = PropertyValue()
        p.Name = name
        p.Value = value
        result.append(p)
    return tuple(result)


class Office:
    """A headless LibreOffice of our own, started on entry and ended on exit."""

    def __init__(self):
        self.process = None
        self.profile = None
        self.desktop = None
        self.context = None

    def service(self, name):
        return self.context.ServiceManager.createInstanceWithContext(name, self.context)

    def __enter__(self):
        soffice = find_soffice()
        try:
            import uno  # noqa: F401
        except ImportError as e:
            raise Failure("uno", "python3-uno is missing: " + str(e))
        self.profile = tempfile.mkdtemp(prefix="tenzora-office-")
        pipe = "tenzora-" + uuid.uuid4().hex
        command = [
            soffice, "--headless", "--invisible", "--nologo", "--nodefault", "--norestore",
            "--nolockcheck", "--nocrashreport",
            "-env:UserInstallation=" + file_url(self.profile),
            "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe,
        ]
        try:
            self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL,
                                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                            start_new_session=True)
        except OSError as e:
            raise Failure("office", "soffice could not be started: " + str(e))
        self.desktop = self._connect(pipe)
        return self

    def _connect(self, pipe):
        import uno
        from com.sun.star.connection import NoConnectException
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + CONNECT_SECONDS
        while True:
            try:
                self.context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                return self.service("com.sun.star.frame.Desktop")
            except NoConnectException:
                pass
            if self.process.poll() is not None:
                raise Failure("office", "soffice ended at start (status %d)" % self.process.returncode)
            if time.monotonic() > deadline:
                raise Failure("office", "soffice did not answer within %d s" % CONNECT_SECONDS)
            time.sleep(0.05)

    def __exit__(self, *exc):
        if self.desktop is not None:
            try:
                self.desktop.terminate()
            except Exception:
                pass
        if self.process is not None:
            try:
                self.process.wait(timeout=20)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(self.process.pid, signal.SIGKILL)
                except OSError:
                    pass
                self.process.wait()
        if self.profile:
            shutil.rmtree(self.profile, ignore_errors=True)
        return False

    def load(self, path, copy=False):
        """Opens a file read-only, or (copy) as an untitled copy that can be changed while the file
        itself is neither changed nor locked."""
        if not os.path.isfile(path) or not os.access(path, os.R_OK):
            raise Failure("template", "cannot read " + path)
        how = dict(AsTemplate=True) if copy else dict(ReadOnly=True)
        try:
            document = self.desktop.loadComponentFromURL(
                file_url(path), "_blank", 0,
                props(Hidden=True, MacroExecutionMode=0, UpdateDocMode=0, **how))
        except Exception as e:
            raise Failure("template", "LibreOffice cannot open " + path + ": " + str(e))
        if document is None:
            raise Failure("template", "LibreOffice cannot open " + path)
        return document

    def new_text_document(self):
        return self.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0,
                                                 props(Hidden=True))


def is_spreadsheet(document):
    return document.supportsService("com.sun.star.sheet.SpreadsheetDocument")


def is_text(document):
    return document.supportsService("com.sun.star.text.TextDocument")


def filter_for(document, target):
    ending = os.path.splitext(target)[1].lower()
    pair = FILTERS.get(ending)
    if pair is None:
        raise Failure("kind", "no format for the ending \"%s\"" % ending)
    name = pair[1] if is_spreadsheet(document) else pair[0] if is_text(document) else None
    if name is None:
        raise Failure("kind", "a %s cannot be stored as \"%s\""
                      % ("spreadsheet" if is_spreadsheet(document) else "text document", ending))
    return name


def store(document, target):
    """Stores the document at the target through a temporary file beside it."""
    name = filter_for(document, target)
    folder = os.path.dirname(os.path.abspath(target))
    if not os.path.isdir(folder):
        raise Failure("output", "no folder " + folder)
    fd, temporary = tempfile.mkstemp(prefix=".tzpart-", suffix=os.path.splitext(target)[1],
                                     dir=folder)
    os.close(fd)
    # The file gets the permissions of any new file of the user, not those of a temporary one.
    mask = os.umask(0)
    os.umask(mask)
    os.chmod(temporary, 0o666 & ~mask)
    try:
        arguments = dict(FilterName=name, Overwrite=True)
        if name in FILTER_OPTIONS:
            arguments["FilterOptions"] = FILTER_OPTIONS[name]
        document.storeToURL(file_url(temporary), props(**arguments))
        if os.path.getsize(temporary) == 0:
            raise Failure("output", "LibreOffice wrote nothing for " + target)
        os.replace(temporary, target)
    except Failure:
        raise
    except Exception as e:
        raise Failure("output", "cannot write " + target + ": " + str(e))
    finally:
        if os.path.exists(temporary):
            os.unlink(temporary)


def close(document):
    try:
        document.close(True)
    except Exception:
        try:
            document.dispose()
        except Exception:
            pass


def set_margins(document, margins):
    """Left, right and top margins of every page style, as the office scripts set them."""
    if not margins:
        return
    styles = document.StyleFamilies.getByName("PageStyles")
    for i in range(styles.Count):
        style = styles.getByIndex(i)
        for side in ("Left", "Right", "Top"):
            key = side.lower()
            if key in margins:
                setattr(style, side + "Margin", int(margins[key]))


# ---- the report -----------------------------------------------------------------------------

# Every keyword is first replaced by a marker made of characters no keyword holds, then every
# marker by its value. The template's keywords are thus replaced exactly as one replacement after
# the other would (longer keywords first), while a value that happens to hold a keyword ("Holiday
# Inn", "the price") is never replaced again.
def marker(index):
    return "\ue000%d\ue001" % index


def descriptor(searchable, search, replace=None):
    d = searchable.createReplaceDescriptor()
    d.SearchString = search
    d.SearchCaseSensitive = False
    d.SearchWords = False
    d.SearchRegularExpression = False
    d.SearchSimilarity = False
    if replace is not None:
        d.ReplaceString = replace
    return d


def fill_text(document, fields):
    for i, (keyword, _) in enumerate(fields):
        document.replaceAll(descriptor(document, keyword, marker(i)))
    for i, (_, value) in enumerate(fields):
        if "\n" not in value and "\r" not in value:
            document.replaceAll(descriptor(document, marker(i), value))
            continue
        # A replacement string is inserted as it is; a line feed in it would not become a line
        # of the document. Setting the found text does make one paragraph per line.
        found = document.findAll(descriptor(document, marker(i)))
        for k in range(found.Count):
            found.getByIndex(k).setString(value.replace("\r\n", "\n").replace("\r", "\n"))


def ascii_lower(text):
    return "".join(chr(ord(c) + 32) if "A" <= c <= "Z" else c for c in text)


def fill_cells(document, fields, tabs_in_lines=True):
    """Every text cell of every sheet gets the keywords of its text replaced and stays a text cell
    (a date or a number in a value is not read as a figure of the sheet's locale)."""
    from com.sun.star.sheet.CellFlags import STRING
    for s in range(document.Sheets.Count):
        # All the cells first: a cell emptied while the text cells are enumerated would end the
        # enumeration early.
        enumeration = document.Sheets.getByIndex(s).queryContentCells(STRING).Cells.createEnumeration()
        cells = []
        while enumeration.hasMoreElements():
            cells.append(enumeration.nextElement())
        for cell in cells:
            original = cell.String
            filled = replace_in_string(original, fields)
            if not tabs_in_lines and "\n" in filled:
                # LibreOffice's own spreadsheet format loses the tabs of a cell of several lines
                # (an extra work's name, quantity and cost would run together): a blank keeps
                # them apart.
                filled = filled.replace("\t", " ")
            if filled != original:
                cell.String = filled


def replace_in_string(text, fields):
    """The keywords of a text replaced by their values, the case of Latin letters ignored (as the
    office suites' search does for these keywords), through the markers as above."""
    if "\ue000" in text:
        return text
    lower = ascii_lower(text)
    used = []
    for i, (keyword, _) in enumerate(fields):
        key = ascii_lower(keyword)
        if key not in lower:
            continue
        out, at = [], 0
        while True:
            j = lower.find(key, at)
            if j < 0:
                break
            out.append(text[at:j])
            out.append(marker(i))
            at = j + len(key)
        out.append(text[at:])
        text = "".join(out)
        lower = ascii_lower(text)
        used.append(i)
    for i in used:
        text = text.replace(marker(i), fields[i][1])
    return text


def run_report(office, job):
    template = job["template"]
    output = job["output"]
    fields = [(str(f["keyword"]), str(f["value"])) for f in job["fields"]]
    # A read-only document refuses some changes (a cell cannot be emptied): the template is
    # filled in an untitled copy.
    document = office.load(template, copy=True)
    try:
        if is_text(document):
            fill_text(document, fields)
        elif is_spreadsheet(document):
            ending = os.path.splitext(output)[1].lower()
            fill_cells(document, fields, tabs_in_lines=ending not in (".ods", ".fods"))
        else:
            raise Failure("template", "not a text document or spreadsheet: " + template)
        set_margins(document, job.get("margins"))
        store(document, output)
    finally:
        close(document)
    return output


# ---- the picture document -------------------------------------------------------------------

A4_WIDTH, A4_HEIGHT = 21000, 29700


def run_picture(office, job):
    from com.sun.star.awt import Size
    from com.sun.star.text.TextContentAnchorType import AS_CHARACTER
    picture = job["picture"]
    output = job["output"]
    if not os.path.isfile(picture):
        raise Failure("picture", "no picture " + picture)
    document = office.new_text_document()
    try:
        styles = document.StyleFamilies.getByName("PageStyles")
        for i in range(styles.Count):
            style = styles.getByIndex(i)
            style.Width, style.Height = A4_WIDTH, A4_HEIGHT
        set_margins(document, job.get("margins"))
        graphic = load_graphic(office, picture)
        frame = document.createInstance("com.sun.star.text.TextGraphicObject")
        frame.Graphic = graphic
        frame.AnchorType = AS_CHARACTER
        style = document.StyleFamilies.getByName("PageStyles").getByName(
            document.Text.getStart().PageStyleName)
        width = style.Width - style.LeftMargin - style.RightMargin
        height = style.Height - style.TopMargin - style.BottomMargin - 1000
        natural = graphic_size(graphic)
        if natural is not None and natural.Width > 0 and natural.Height > 0:
            factor = min(width / natural.Width, height / natural.Height)
            frame.Size = Size(int(natural.Width * factor), int(natural.Height * factor))
        else:
            frame.Size = Size(width, int(width * 0.75))
        text = document.Text
        text.insertTextContent(text.getStart(), frame, False)
        store(document, output)
    finally:
        close(document)
    return output


def load_graphic(office, path):
    provider = office.service("com.sun.star.graphic.GraphicProvider")
    try:
        graphic = provider.queryGraphic(props(URL=file_url(path)))
    except Exception as e:
        raise Failure("picture", "LibreOffice cannot read the picture " + path + ": " + str(e))
    if graphic is None:
        raise Failure("picture", "LibreOffice cannot read the picture " + path)
    return graphic


def graphic_size(graphic):
    try:
        size = graphic.Size100thMM
        if size.Width > 0 and size.Height > 0:
            return size
    except Exception:
        pass
    return None


# ---- conversion -----------------------------------------------------------------------------

def run_convert(office, job):
    last = ""
    for item in job["items"]:
        document = office.load(item["source"])
        try:
            store(document, item["target"])
        finally:
            close(document)
        last = item["target"]
    return last


# ---- main -----------------------------------------------------------------------------------

KINDS = {"report": run_report, "picture": run_picture, "convert": run_convert}


def readable(path, reason):
    if not os.path.isfile(path) or not os.access(path, os.R_OK):
        raise Failure(reason, "cannot read " + path)


def check_target(path):
    ending = os.path.splitext(path)[1].lower()
    if ending not in FILTERS:
        raise Failure("kind", "no format for the ending \"%s\"" % ending)
    folder = os.path.dirname(os.path.abspath(path))
    if not os.path.isdir(folder) or not os.access(folder, os.W_OK):
        raise Failure("output", "cannot write into " + folder)


def check(job):
    """What can be told without starting LibreOffice."""
    kind = job["kind"]
    if kind == "report":
        readable(job["template"], "template")
        check_target(job["output"])
    elif kind == "picture":
        readable(job["picture"], "picture")
        check_target(job["output"])
    else:
        for item in job["items"]:
            readable(item["source"], "template")
            check_target(item["target"])


def on_terminate(signum, frame):
    raise Terminated()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: tenzora_office.py JOB.json\n")
        return EXIT_BAD_JOB
    try:
        with open(argv[1], encoding="utf-8") as f:
            job = json.load(f)
        result = job["result"]
        kind = KINDS[job["kind"]]
    except (OSError, ValueError, KeyError, TypeError, AttributeError) as e:
        sys.stderr.write("tenzora_office.py: bad job file %s: %s\n" % (argv[1], e))
        return EXIT_BAD_JOB
    signal.signal(signal.SIGTERM, on_terminate)
    try:
        check(job)
        with Office() as office:
            output = kind(office, job)
        write_result(result, [("status", "ok"), ("output", output)])
        return EXIT_OK
    except Failure as e:
        write_result(result, [("status", "failed"), ("reason", e.reason), ("detail", e.detail)])
    except Terminated:
        write_result(result, [("status", "failed"), ("reason", "internal"), ("detail", "stopped")])
    except Exception as e:
        write_result(result, [("status", "failed"), ("reason", "internal"),
                              ("detail", "%s: %s" % (type(e).__name__, e))])
    return EXIT_FAILED


if __name__ == "__main__":
    sys.exit(main(sys.argv))
