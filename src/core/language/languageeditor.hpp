#pragma once
// The model behind the language editor window (frmIdioma): the whole language
// file as one grid, message numbers down the side and one column per
// language.  The window only shows the grid and forwards edits; the reading,
// the pairing of texts with keys, the new-language rules and the save live
// here.
//
// Grid coordinates are those of the window: row 0 is the heading row, column 0
// the key column.  Cell (0, 0) is the corner, (0, c) the name of language c,
// (r, 0) the key of row r, (r, c) the text of that row in language c.
//
// The keys are those of the first language section, in file order; row r of
// every language holds that language's text of row r's key (its first entry
// of that key, as a lookup finds it).  Where every section lists the same keys
// in the same order (the delivered file does) that is the r-th entry of each
// section.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"
#include "core/language/languagefile.hpp"

namespace zerlant {

class LanguageEditorModel {
  public:
    // Room in the language menu: 8 languages, a separator and the editor entry.
    static constexpr int kMaxLanguages = 8;

    enum class SaveOutcome {
        NothingToSave,          // nothing was modified: the file is untouched
        Saved,                  // the whole file was written anew
        NewLanguageWithoutName  // written without the new column; show NewLanguageUnnamed
                                // and open the column's empty heading cell
    };

    // Opens the editor on the language file at state.filePath, with the
    // languages and the current language read at start-up (InitLanguages).
    static Result<LanguageEditorModel> open(const LanguageState& state);
    // The same from a file already in memory (for tests and callers that hold one).
    static LanguageEditorModel fromFile(const LanguageFile& file, const LanguageState& state);

    int rowCount() const { return static_cast<int>(keys_.size()) + 1; }
    int columnCount() const { return static_cast<int>(columns_.size()) + 1; }
    int languageCount() const { return static_cast<int>(state_.languageNames.size()); }

    // Cell text in grid coordinates; the empty text outside the grid.
    std::string cell(int row, int col) const;
    // Whether the cell takes typing: every text cell, and the heading of a
    // new column (its name).  Keys, the corner and existing names do not.
    bool isEditable(int row, int col) const;
    // Writes an editable cell and sets modified; line breaks become blanks,
    // since a text is one line of the file.  False for a cell that takes no
    // typing.
    bool setCell(int row, int col, std::string_view text);

    // The heading of column col is shown in bold: its name equals the current
    // language exactly.
    bool isCurrentLanguage(int col) const;
    // The column of the new language, or -1.
    int newColumn() const { return newLanguageAdded_ ? columnCount() - 1 : -1; }

    // btnuevo: adds an empty column after the last one, when fewer than 8
    // languages exist and no column has been added since opening or the last
    // complete save.  Returns the new column, or -1 when nothing was added.
    int addLanguage();
    bool canAddLanguage() const;

    // btguardar: writes the whole file anew, atomically (a failed write leaves
    // the old file as it was).  Layout, every line ended by CR LF:
    //   [idioma] / idioma=<current language read at start-up> / empty line,
    //   then per language in column order: [name], key=text per row, empty line.
    // A new column without a name is left out and the outcome says so; the
    // flags then stay set.  After a complete save the new language belongs to
    // state().languageNames and the flags are cleared.
    Result<SaveOutcome> save();

    // The bytes save() writes (with or without the new column).
    std::string fileBytes(bool withNewColumn) const;

    bool modified() const { return modified_; }
    bool newLanguageAdded() const { return newLanguageAdded_; }
    bool saveIncomplete() const { return saveIncomplete_; }
    void clearSaveIncomplete() { saveIncomplete_ = false; }

    // Languages, current language and file path; after a save with a new
    // language its name is the last of languageNames (for the language menu).
    const LanguageState& state() const { return state_; }

  private:
    struct Column {
        std::string name;
        std::vector<std::string> texts;  // one per row, row 1 first
    };

    LanguageFile file_;  // path and encoding of the file
    LanguageState state_;
    std::vector<std::string> keys_;
    std::vector<Column> columns_;
    bool modified_ = false;
    bool newLanguageAdded_ = false;
    bool saveIncomplete_ = false;
};

// Texts around the editor, built from messages of the current language.

// The closing question: SaveChangesQuestion, a blank, the window caption, "?".
std::string languageEditorCloseQuestion(const MessageLookup& msg, std::string_view caption);
// Title of the printed language file: LanguageFileTitle, two blanks, LanguageFileSubtitle.
std::string languagePrintTitle(const MessageLookup& msg);
// Subtitle: PrintedOn, a blank, the date as mm-dd-yyyy.
std::string languagePrintSubtitle(const MessageLookup& msg, int year, int month, int day);

}  // namespace zerlant
