#include "core/language/languageeditor.hpp"

#include <cstdint>
#include <cstdio>
#include <utility>

#include "core/files/filetext.hpp"

namespace zerlant {

Result<LanguageEditorModel> LanguageEditorModel::open(const LanguageState& state) {
    auto file = LanguageFile::load(state.filePath);
    if (!file)
        return file.error();
    return fromFile(*file, state);
}

LanguageEditorModel LanguageEditorModel::fromFile(const LanguageFile& file,
                                                  const LanguageState& state) {
    LanguageEditorModel m;
    m.file_ = file;
    m.state_ = state;
    if (m.state_.languageCount < 0)
        m.state_.languageCount = 0;
    if (m.state_.languageNames.empty())
        return m;

    for (auto& [key, text] : file.entries(m.state_.languageNames.front()))
        m.keys_.push_back(std::move(key));
    for (const auto& name : m.state_.languageNames) {
        Column col{name, std::vector<std::string>(m.keys_.size())};
        auto entries = file.entries(name);
        // Row r holds the section's text of row r's key: its r-th entry when
        // that entry has this key (a section listing the keys of the first
        // one in the same order), otherwise the first entry of the key, the
        // one a lookup finds.  Pairing by position alone would, on the next
        // save, write a section with a missing or moved entry back under the
        // wrong keys.  A key the section lacks leaves its cell empty; entries
        // whose key the first section lacks are not shown.
        for (std::size_t r = 0; r < col.texts.size(); ++r) {
            const std::string& key = m.keys_[r];
            std::size_t k = r;
            if (k >= entries.size() || !sameName(entries[k].first, key)) {
                k = 0;
                while (k < entries.size() && !sameName(entries[k].first, key)) ++k;
            }
            if (k < entries.size())
                col.texts[r] = entries[k].second;
        }
        m.columns_.push_back(std::move(col));
    }
    return m;
}

std::string LanguageEditorModel::cell(int row, int col) const {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return {};
    if (row == 0 && col == 0)
        return {};  // the window puts LanguageCaption there
    if (row == 0)
        return columns_[static_cast<std::size_t>(col - 1)].name;
    if (col == 0)
        return keys_[static_cast<std::size_t>(row - 1)];
    return columns_[static_cast<std::size_t>(col - 1)].texts[static_cast<std::size_t>(row - 1)];
}

bool LanguageEditorModel::isEditable(int row, int col) const {
    if (row < 0 || col < 1 || row >= rowCount() || col >= columnCount())
        return false;
    return row > 0 || col == newColumn();
}

bool LanguageEditorModel::setCell(int row, int col, std::string_view text) {
    if (!isEditable(row, col))
        return false;
    Column& c = columns_[static_cast<std::size_t>(col - 1)];
    if (row == 0)
        c.name = oneLineText(text);
    else
        c.texts[static_cast<std::size_t>(row - 1)] = oneLineText(text);
    modified_ = true;
    return true;
}

bool LanguageEditorModel::isCurrentLanguage(int col) const {
    if (col < 1 || col >= columnCount() || col == newColumn())
        return false;
    return columns_[static_cast<std::size_t>(col - 1)].name == state_.currentLanguage;
}

bool LanguageEditorModel::canAddLanguage() const {
    return languageCount() < kMaxLanguages && !newLanguageAdded_;
}

int LanguageEditorModel::addLanguage() {
    if (!canAddLanguage())
        return -1;
    columns_.push_back(Column{{}, std::vector<std::string>(keys_.size())});
    newLanguageAdded_ = true;
    return columnCount() - 1;
}

std::string LanguageEditorModel::fileBytes(bool withNewColumn) const {
    std::vector<std::string> lines;
    lines.reserve(3 + columns_.size() * (keys_.size() + 2));
    lines.push_back("[" + std::string(kSettingsSection) + "]");
    lines.push_back(std::string(kLanguageKey) + "=" + state_.currentLanguage);
    lines.emplace_back();
    std::size_t count = columns_.size();
    if (newLanguageAdded_ && !withNewColumn)
        --count;
    for (std::size_t c = 0; c < count; ++c) {
        lines.push_back("[" + columns_[c].name + "]");
        for (std::size_t r = 0; r < keys_.size(); ++r)
            lines.push_back(keys_[r] + "=" + columns_[c].texts[r]);
        lines.emplace_back();
    }
    LanguageFile out = file_;
    out.setLines(std::move(lines));
    return out.encode();
}

Result<LanguageEditorModel::SaveOutcome> LanguageEditorModel::save() {
    if (!modified_)
        return SaveOutcome::NothingToSave;
    const bool unnamed = newLanguageAdded_ && columns_.back().name.empty();
    const bool withNew = newLanguageAdded_ && !unnamed;
    Status st = writeFileAtomically(file_.path(), fileBytes(withNew));
    if (!st)
        return st.error();
    if (unnamed) {
        saveIncomplete_ = true;
        return SaveOutcome::NewLanguageWithoutName;
    }
    if (withNew) {
        state_.languageNames.push_back(columns_.back().name);
        state_.languageCount = static_cast<std::int16_t>(state_.languageNames.size());
    }
    modified_ = false;
    newLanguageAdded_ = false;
    return SaveOutcome::Saved;
}

std::string languageEditorCloseQuestion(const MessageLookup& msg, std::string_view caption) {
    return msg(MessageId::SaveChangesQuestion) + " " + std::string(caption) + "?";
}

std::string languagePrintTitle(const MessageLookup& msg) {
    return msg(MessageId::LanguageFileTitle) + "  " + msg(MessageId::LanguageFileSubtitle);
}

std::string languagePrintSubtitle(const MessageLookup& msg, int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", month, day, year);
    return msg(MessageId::PrintedOn) + " " + date;
}

}  // namespace zerlant
