// The host's own texts in the user's language. Every text a person reads
// from tintdialog (its window, status lines and the error lines of its
// commands) is written as QCoreApplication::translate("tintdialog", "English
// text"); the German (and any later) translations are the Qt message files
// tintdialog_<language>.qm in share/tintdialog beside the program. A
// language without a file, C and C.UTF-8 read the English source texts.
#pragma once

#include <QString>

inline constexpr const char kTintDialogTranslationContext[] = "tintdialog";

// Installs the translations for the user's locale into the application
// (call once the QApplication exists).
void TintDialogInstallTranslator();
// text translated; usable before the application exists (usage errors).
QString TintDialogTr(const char *text);
