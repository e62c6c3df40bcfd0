#pragma once
// "Экспорт ...": the save dialog of the picture export, the export itself, and what the user is
// told when it could not be made.

#include <string>

namespace tenzora {

class TZCeiling;
class Launcher;
struct ExportServices;
struct ExportResult;

// The dialog's filter: every picture format; a printed sheet leaves out the Windows metafile. The
// drawing also offers the DXF drawing and, `withLayout`, its canvas pieces as DXF and HPGL.
std::wstring exportFileFilter(int formIndex, bool withLayout = false);

// Asks for the file (proposing the order name) and exports the drawing (formIndex −1) or the
// printed sheet of that form to it. Cancelling does nothing. A picture that goes to Word is
// opened with the desktop's handler for metafiles when a launcher is given. Every failure is
// reported through the document's messages. True when a file was written.
bool chooseExportFile(TZCeiling& doc, int formIndex, ExportServices& services, Launcher* launcher);

// The message telling the user why an export failed; empty when it did not fail.
std::wstring exportFailureText(const ExportResult& result, const std::wstring& path);

} // namespace tenzora
