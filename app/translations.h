#pragma once

class QCoreApplication;

namespace vrn {

// Installs the translation of the program's own texts for the user's language, and with it Qt's
// own (dialog buttons, the file dialog, command-line usage, serial port errors), both built into
// the program. In a language the program has no translation for, every text stays English. The
// classic captions of the windows are not translated.
void installTranslations(QCoreApplication& app);

} // namespace vrn
