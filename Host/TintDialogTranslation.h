// The host's own texts in the user's language. Every text a person reads
// from tintdialog (its window, status lines and the error lines of its
// commands) is written as QCoreApplication::translate("tintdialog", "English
// text"); the German (and any later) translations are the Qt message files
// tintdialog_<language>.qm in share/tintdialog beside the program. A
// language without a file, C and C.UTF-8 read the English source texts.
#pragma once

#include <QString>

#include <string>

inline constexpr const char kTintDialogTranslationContext[] = "tintdialog";

// Installs the translations for the user's locale into the application
// (call once the QApplication exists).
void TintDialogInstallTranslator();
// text translated; usable before the application exists (usage errors).
QString TintDialogTr(const char *text);
// What the host's own files write for TintDialogTr.
inline QString Tr(const char *text)
{
    return TintDialogTr(text);
}
// The same with %1, %2, ... replaced by args, as UTF-8 (the host's error
// lines).
template <typename... Args> std::string TrArgs(const char *text, const Args &...args)
{
    if constexpr (sizeof...(args) == 0)
        return Tr(text).toStdString();
    else
        return Tr(text).arg(QString::fromStdString(args)...).toStdString();
}
