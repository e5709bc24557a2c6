#pragma once

class QCoreApplication;

namespace vrn {

// Installs the translation of the program's own texts for the user's language, and Qt's own
// (dialog buttons and the file dialog) where the system has it. The classic captions of the
// windows are not translated.
void installTranslations(QCoreApplication& app);

} // namespace vrn
