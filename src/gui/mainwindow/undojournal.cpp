#include "gui/mainwindow/undojournal.hpp"

#include <QDir>
#include <QStringList>
#include <algorithm>

#include "core/sortjobs/sortjobs.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/toolpanel.hpp"

namespace zerlant::gui {

namespace {

// Each tool keeps its own record.
std::string folderFor(const PanelContext& ctx, JournalKind kind) {
    const QString root = ctx.app.journalFolder();
    if (root.isEmpty())
        return {};
    return QDir(root)
        .filePath(kind == JournalKind::Rename ? QStringLiteral("rename")
                                              : QStringLiteral("substitute"))
        .toStdString();
}

}  // namespace

std::string journalFolderOf(const PanelContext& ctx, JournalKind kind) {
    return folderFor(ctx, kind);
}

bool canUndo(const PanelContext& ctx, JournalKind kind) {
    const std::string folder = folderFor(ctx, kind);
    if (folder.empty())
        return false;
    auto journal = loadJournal(folder);
    return journal && journal->kind == kind && !journal->entries.empty();
}

bool recordRun(const PanelContext& ctx, const Journal& journal) {
    const std::string folder = folderFor(ctx, journal.kind);
    return !folder.empty() && saveJournal(folder, journal).ok();
}

void markRunEntryDone(const PanelContext& ctx, JournalKind kind, std::size_t index) {
    const std::string folder = folderFor(ctx, kind);
    if (!folder.empty())
        markJournalEntryDone(folder, index);
}

std::vector<JournalEntry> undoLastRun(PanelContext& ctx, JournalKind kind) {
    const AppContext& app = ctx.app;
    const std::string folder = folderFor(ctx, kind);
    auto journal = folder.empty() ? Result<Journal>(Error{}) : loadJournal(folder);
    if (!journal || journal->kind != kind || journal->entries.empty()) {
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Information, app.title(),
                            app.msg(Msg::NothingToUndo));
        return {};
    }
    // A sort's folders go too when the files are back and they are left
    // empty; the folder of a renamed file is never empty once it is back.
    const UndoOutcome outcome =
        kind == JournalKind::Rename ? undoSort(*journal) : undoJournal(*journal);
    if (outcome.refused()) {
        QStringList lines{app.msg(Msg::UndoRefused), QString()};
        for (const std::string& path : outcome.changedSince)
            lines << QDir::toNativeSeparators(QString::fromStdString(path));
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Warning, app.title(),
                            lines.join(QLatin1Char('\n')));
        return {};
    }
    clearJournal(folder);
    if (!outcome.failures.empty()) {
        QStringList lines;
        for (const Error& e : outcome.failures) lines << QString::fromStdString(e.describe());
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Critical, app.title(),
                            lines.join(QLatin1Char('\n')));
    }
    // The entries that could not be put back keep their new name.
    std::vector<JournalEntry> restored;
    for (const JournalEntry& e : journal->entries) {
        const bool failed =
            std::any_of(outcome.failures.begin(), outcome.failures.end(),
                        [&e](const Error& f) { return f.path == e.path || f.path == e.newPath; });
        if (!failed)
            restored.push_back(e);
    }
    ctx.showStatus(app.msg(Msg::RunUndone));
    return restored;
}

}  // namespace zerlant::gui
