#include "core/sortjobs/sortjobs.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "core/extract/jobhealth.hpp"
#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"
#include "core/gaussian/jobecho.hpp"
#include "core/rename/renamerun.hpp"
#include "core/text/numbers.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

namespace {

namespace fs = std::filesystem;

// The extensions of the files of one job, beside its output.
constexpr std::array<std::string_view, 4> kCompanions = {".gjf", ".com", ".chk", ".fchk"};

bool searchesTransitionState(std::string_view bytes) {
    const std::string route = lowerRoute(readJobEcho(bytes));
    for (std::size_t at = route.find("opt"); at != std::string::npos;
         at = route.find("opt", at + 3)) {
        const std::string_view rest = std::string_view(route).substr(at + 3);
        if (rest.empty() || (rest[0] != '=' && rest[0] != '('))
            continue;
        const auto close = rest.find_first_of(") ");
        const std::string_view options = rest.substr(0, close);
        for (std::string_view word : {"ts", "qst2", "qst3"}) {
            for (auto w = options.find(word); w != std::string_view::npos;
                 w = options.find(word, w + 1)) {
                const char before = options[w - 1];
                const char after =
                    w + word.size() < options.size() ? options[w + word.size()] : ',';
                if ((before == '=' || before == '(' || before == ',') &&
                    (after == ',' || after == ')'))
                    return true;
            }
        }
    }
    return false;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

}  // namespace

JobOutcome outcomeOf(std::string_view bytes, std::string* why) {
    const JobHealth health = jobHealth(bytes);
    auto say = [why](std::string text) {
        if (why)
            *why = std::move(text);
    };
    if (health.reason == "no termination line") {
        say(health.reason);
        return JobOutcome::Running;
    }
    if (!health.reason.empty()) {
        say(health.reason);
        return JobOutcome::Failed;
    }
    const int nimag = health.nimag.value_or(0);
    const int allowed = searchesTransitionState(bytes) ? 1 : 0;
    if (nimag > allowed) {
        std::string text =
            std::to_string(nimag) + " imaginary frequenc" + (nimag == 1 ? "y" : "ies");
        if (health.lowestFrequency)
            text += ", lowest " + formatNumber(*health.lowestFrequency) + " cm-1";
        say(text);
        return JobOutcome::Imaginary;
    }
    if (allowed == 1 && nimag == 0 && health.nimag) {
        say("transition-state search without an imaginary frequency");
        return JobOutcome::Imaginary;
    }
    say({});
    return JobOutcome::Done;
}

SortPlan planSort(const std::vector<std::string>& outputs, const SortOptions& options) {
    SortPlan plan;
    std::set<std::string> targets;
    std::set<std::string> sources;
    for (const std::string& output : outputs) {
        auto bytes = readFileBytes(output);
        if (!bytes) {
            plan.problems.push_back(bytes.error());
            continue;
        }
        SortedJob job;
        job.output = output;
        job.outcome = outcomeOf(*bytes, &job.why);
        const fs::path out(output);
        const fs::path folder = out.parent_path() / options.folders[static_cast<int>(job.outcome)];
        job.moves.push_back({output, (folder / out.filename()).string()});
        // The job file and checkpoint of the same stem, in any letter case
        // of their extension.
        std::error_code ec;
        const fs::path here = out.parent_path().empty() ? fs::path(".") : out.parent_path();
        for (const auto& entry : fs::directory_iterator(here, ec)) {
            const fs::path p = entry.path();
            if (p.stem() != out.stem() || p == out)
                continue;
            const std::string ext = foldCase(p.extension().string());
            if (std::find(kCompanions.begin(), kCompanions.end(), ext) == kCompanions.end())
                continue;
            const fs::path from = out.parent_path() / p.filename();
            job.moves.push_back({from.string(), (folder / p.filename()).string()});
        }
        std::sort(job.moves.begin() + 1, job.moves.end(),
                  [](const SortMove& a, const SortMove& b) { return a.from < b.from; });
        // A job is moved whole or not at all.
        std::string clash;
        for (const SortMove& m : job.moves) {
            if (exists(m.to) || targets.count(m.to))
                clash = m.to;
            if (sources.count(m.from))
                clash = m.from;
        }
        if (!clash.empty()) {
            plan.problems.push_back({"already there, nothing of this job is moved", clash});
            continue;
        }
        for (const SortMove& m : job.moves) {
            targets.insert(m.to);
            sources.insert(m.from);
        }
        plan.jobs.push_back(std::move(job));
    }
    return plan;
}

SortOutcome applySort(const SortPlan& plan, const std::string& journalFolder) {
    SortOutcome outcome;
    Journal journal{JournalKind::Rename, {}};
    for (const SortedJob& job : plan.jobs)
        for (const SortMove& m : job.moves) {
            auto stamp = stampOf(m.from, false);
            journal.entries.push_back({m.from, m.to, {}, stamp ? *stamp : FileStamp{}});
        }
    const bool record = !journalFolder.empty() && saveJournal(journalFolder, journal).ok();
    std::size_t index = 0;
    for (const SortedJob& job : plan.jobs) {
        std::error_code ec;
        fs::create_directories(fs::path(job.moves.front().to).parent_path(), ec);
        if (ec)
            outcome.failures.push_back(
                {ec.message(), fs::path(job.moves.front().to).parent_path()});
        for (const SortMove& m : job.moves) {
            const std::size_t entry = index++;
            if (ec)
                continue;
            if (Status s = renameNoReplace(m.from, m.to); !s) {
                outcome.failures.push_back(s.error());
                continue;
            }
            ++outcome.moved;
            if (record)
                markJournalEntryDone(journalFolder, entry);
        }
    }
    return outcome;
}

UndoOutcome undoSort(const Journal& journal) {
    UndoOutcome outcome = undoJournal(journal);
    if (outcome.refused())
        return outcome;
    std::set<std::string> folders;
    for (const JournalEntry& e : journal.entries)
        folders.insert(fs::path(e.newPath).parent_path().string());
    for (const std::string& folder : folders) ::rmdir(folder.c_str());  // only an empty folder goes
    return outcome;
}

}  // namespace zerlant
