#pragma once
// What every window of the desktop program shares: the program's folder, the
// language file with the languages read at start-up, message lookup and the
// user's decimal separator.

#include <QString>
#include <string>

#include "core/common/types.hpp"
#include "core/language/languagefile.hpp"
#include "gui/app/messages.hpp"

namespace zerlant::gui {

class AppContext {
  public:
    // programFolder holds idioma.lng; the languages are read from it once.
    explicit AppContext(std::string programFolder);

    const std::string& programFolder() const { return programFolder_; }
    const std::string& languageFilePath() const { return languages_.filePath; }
    const LanguageState& languages() const { return languages_; }
    const std::string& currentLanguage() const { return languages_.currentLanguage; }

    // The message of the current language, read from the file each time (a
    // change made by the language editor is seen at once); empty when missing.
    QString msg(Msg m) const;
    // The message followed by a fixed text, such as ":" or "...".
    QString msg(Msg m, const char* suffix) const { return msg(m) + QString::fromUtf8(suffix); }
    // The application's title (AppTitle).
    QString title() const { return msg(Msg::AppTitle); }

    // A lookup that reads each message as msg() does.
    MessageLookup liveLookup() const;
    // A lookup over a snapshot of the current language, for long runs.
    MessageLookup lookup() const;

    // The decimal separator of the user's locale ('.' or ',').
    char decimalSeparator() const;

    // Makes another language of the file current for this run (the window
    // re-reads its captions); recording it for the next start is separate.
    void setCurrentLanguage(const std::string& name) { languages_.currentLanguage = name; }
    // The languages as the language editor saved them last.
    void setLanguages(const LanguageState& languages) { languages_ = languages; }

    // Where the window keeps its settings between starts (an INI file in the
    // user's config folder); empty: nothing is remembered (tests).
    const QString& settingsFile() const { return settingsFile_; }
    void setSettingsFile(const QString& path) { settingsFile_ = path; }
    // Where Rename and Substitute keep the record of their last run (the
    // user's cache folder); empty: no Undo.
    const QString& journalFolder() const { return journalFolder_; }
    void setJournalFolder(const QString& path) { journalFolder_ = path; }

  private:
    std::string programFolder_;
    LanguageState languages_;
    QString settingsFile_;
    QString journalFolder_;
};

}  // namespace zerlant::gui
