#include "TintDialogTranslation.h"

#include "TintPaths.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <filesystem>

#include <memory>

namespace
{

// The dialog's data folder beside the program's own folder (as installed,
// or staged), found from the program itself so that it works before the
// application object exists.
QString TranslationFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return QString();
    return QString::fromStdString(
        (exe.parent_path() / kTintDialogDataFromProgram).lexically_normal().string());
}

QTranslator *Translator()
{
    static std::unique_ptr<QTranslator> translator = [] {
        auto loaded = std::make_unique<QTranslator>();
        if (!loaded->load(QLocale::system(), QStringLiteral("tintdialog"), QStringLiteral("_"),
                          TranslationFolder(), QStringLiteral(".qm")))
            loaded.reset();
        return loaded;
    }();
    return translator.get();
}

// Qt's own texts (the tab bar's scroll buttons, the file dialog) in the
// language of the host's translation, so that a window is never in two
// languages: where the host reads English, so does Qt.
QTranslator *QtTranslator(const QTranslator &host)
{
    static std::unique_ptr<QTranslator> translator = [&host] {
        auto loaded = std::make_unique<QTranslator>();
        if (!loaded->load(QLocale(host.language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(".qm")))
            loaded.reset();
        return loaded;
    }();
    return translator.get();
}

} // namespace

void TintDialogInstallTranslator()
{
    if (QTranslator *translator = Translator()) {
        QCoreApplication::installTranslator(translator);
        if (QTranslator *qt = QtTranslator(*translator))
            QCoreApplication::installTranslator(qt);
    }
}

QString TintDialogTr(const char *text)
{
    if (QCoreApplication::instance())
        return QCoreApplication::translate(kTintDialogTranslationContext, text);
    QTranslator *translator = Translator();
    const QString translated =
        translator ? translator->translate(kTintDialogTranslationContext, text) : QString();
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}
