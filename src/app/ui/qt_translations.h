#pragma once
// Qt's own texts (the buttons of questions, the file dialogs) in Russian, like every other text
// of the program. The translations come from the system's Qt (package qt6-translations-l10n).

class QCoreApplication;
class QTranslator;

namespace tenzora {

// Loads Qt's Russian texts into `translator` and installs it; false when they are not installed
// (Qt then speaks English).
bool installQtTranslations(QTranslator& translator);

} // namespace tenzora
