// Localized texts of the plug-in, looked up by their English text.
//
// The texts come from the plug-in's own bundle: the one named with
// setBundlePath (the principal class does this when the host hands it the
// bundle), else the bundle that contains the library this code is linked
// into (".../Tintpane.plugin/Contents/Linux/libTintpane.so"). A bundle is a
// folder with Contents/Info.plist. Its translations are Qt message files
// Contents/Resources/Localizable_<locale>.qm (for example Localizable_de.qm),
// chosen by the user's locale, all in the one context "Tintpane". A key the
// translations lack shows as itself.
#pragma once

#include <QString>

#include <optional>
#include <string>

inline constexpr const char kTintpaneTranslationContext[] = "Tintpane";
inline constexpr const char kTintpaneTranslationBase[] = "Localizable";

class Localization
{
  public:
    // Names the bundle explicitly ("" returns to finding it from the library).
    static void setBundlePath(const std::string &bundlePath);
    // The bundle's folder, or "" when it cannot be found.
    static std::string bundlePath();
    static bool bundleAvailable() { return !bundlePath().empty(); }
    // The localized text of key (UTF-8); the key itself when the bundle has
    // no translation for it. nullopt when there is no bundle or no key.
    static std::optional<QString> localizedString(const char *key);
};
