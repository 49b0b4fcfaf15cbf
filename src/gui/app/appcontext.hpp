#pragma once
// What every window of the desktop program shares: the program's folder, the
// language file with the languages read at start-up, message lookup and the
// user's decimal separator.

#include <QString>
#include <string>

#include "core/common/types.hpp"
#include "core/language/languagefile.hpp"

namespace zerlant::gui {

class AppContext {
  public:
    // programFolder holds idioma.lng; the languages are read from it once.
    explicit AppContext(std::string programFolder);

    const std::string& programFolder() const { return programFolder_; }
    const std::string& languageFilePath() const { return languages_.filePath; }
    const LanguageState& languages() const { return languages_; }
    const std::string& currentLanguage() const { return languages_.currentLanguage; }

    // Message n of the current language, read from the file each time (a
    // change made by the language editor is seen at once); empty when missing.
    QString msg(int n) const;
    // The message followed by a fixed text, such as ":" or "...".
    QString msg(int n, const char* suffix) const { return msg(n) + QString::fromUtf8(suffix); }
    // The application's title (message 1).
    QString title() const { return msg(1); }

    // A lookup over a snapshot of the current language, for long runs.
    MessageLookup lookup() const;

    // The decimal separator of the user's locale ('.' or ',').
    char decimalSeparator() const;

  private:
    std::string programFolder_;
    LanguageState languages_;
};

}  // namespace zerlant::gui
