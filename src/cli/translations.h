#pragma once

// The user's language: Zendra's own texts and those of Qt's standard dialogs.

class QCoreApplication;

namespace zendra {

// Installs the catalogue of Zendra's texts for the user's locale, from the installed translations
// (`<executable's folder>/../share/zendra/translations`) or else from the build's, and Qt's own
// catalogue for its dialogs and buttons where the system has one. Without a catalogue the texts stay
// English. Call it once, right after the application object is created; the application keeps the
// translators.
void installTranslations(QCoreApplication& application);

} // namespace zendra
