#include "Localization.h"

#include <QLocale>
#include <QTranslator>

#include <dlfcn.h>
#include <sys/stat.h>

#include <memory>

namespace
{

struct LocalizationState {
    std::string explicitBundle;
    // The translations of loadedBundle; null when it has none for the locale.
    std::string loadedBundle;
    bool loaded = false;
    std::unique_ptr<QTranslator> translator;
};

LocalizationState &State()
{
    static LocalizationState state;
    return state;
}

bool IsBundle(const std::string &path)
{
    struct stat st;
    return !path.empty() && stat((path + "/Contents/Info.plist").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ParentOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return std::string();
    return path.substr(0, slash);
}

// The bundle around the library this code lives in:
// <bundle>/Contents/Linux/<library>.
std::string BundleOfThisLibrary()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&BundleOfThisLibrary), &info) == 0 || !info.dli_fname)
        return std::string();
    char resolved[PATH_MAX];
    if (!realpath(info.dli_fname, resolved))
        return std::string();
    const std::string linuxDir = ParentOf(resolved);
    const std::string contents = ParentOf(linuxDir);
    if (linuxDir.size() < 6 || linuxDir.compare(linuxDir.size() - 6, 6, "/Linux") != 0)
        return std::string();
    const std::string bundle = ParentOf(contents);
    return IsBundle(bundle) ? bundle : std::string();
}

QTranslator *TranslatorFor(const std::string &bundle)
{
    LocalizationState &state = State();
    if (!state.loaded || state.loadedBundle != bundle) {
        state.loaded = true;
        state.loadedBundle = bundle;
        auto translator = std::make_unique<QTranslator>();
        const QString resources = QString::fromStdString(bundle + "/Contents/Resources");
        // A locale without translations of its own (C, C.UTF-8, a language
        // not translated) reads English, never the bare keys.
        if (translator->load(QLocale::system(), QString::fromLatin1(kTintpaneTranslationBase),
                             QStringLiteral("_"), resources, QStringLiteral(".qm")) ||
            translator->load(QString::fromLatin1(kTintpaneTranslationBase) + QStringLiteral("_en"),
                             resources))
            state.translator = std::move(translator);
        else
            state.translator.reset();
    }
    return state.translator.get();
}

} // namespace

void Localization::setBundlePath(const std::string &bundlePath)
{
    State().explicitBundle = bundlePath;
}

std::string Localization::bundlePath()
{
    const std::string &explicitBundle = State().explicitBundle;
    if (!explicitBundle.empty())
        return IsBundle(explicitBundle) ? explicitBundle : std::string();
    static const std::string own = BundleOfThisLibrary();
    return own;
}

std::optional<QString> Localization::localizedString(const char *key)
{
    if (!key)
        return std::nullopt;
    const std::string bundle = bundlePath();
    if (bundle.empty())
        return std::nullopt;
    if (QTranslator *translator = TranslatorFor(bundle)) {
        const QString text = translator->translate(kTintpaneTranslationContext, key);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(key);
}
