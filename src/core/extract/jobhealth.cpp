#include "core/extract/jobhealth.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "core/files/linereader.hpp"
#include "core/gaussian/normalmodes.hpp"
#include "core/thermo/textlines.hpp"

namespace zerlant {

namespace {

namespace lines = thermo::lines;
using Lines = std::vector<std::string_view>;

constexpr std::size_t kMessageWindow = 60;  // lines searched above an error termination
constexpr std::size_t kMessageLength = 200;

// Words of Gaussian's error messages, lower case.
constexpr std::array<std::string_view, 25> kErrorWords = {
    "error",        "fail",           "abort",       "not converged",  "convergence",
    "out of range", "exceeded",       "exceded",     "only available", "too large",
    "could not",    "cannot",         "max. cycles", "illegal",        "problem",
    "terminated",   "no lower point", "allocate",    "insufficient",   "not found",
    "unrecognized", "wrong",          "invalid",     "missing",        "stopped"};

// Lines above an error termination that are not the message: the
// termination request itself, link traffic and the "SCF Error SCF Error"
// banner.
bool noise(std::string_view line) {
    return line.empty() || lines::startsWith(line, "Error termination") ||
           lines::startsWith(line, "(Enter ") || lines::startsWith(line, "Leave Link") ||
           lines::contains(line, "SCF Error SCF Error") || lines::startsWith(line, "ERROR!!");
}

bool looksLikeError(std::string_view line) {
    for (std::string_view w : kErrorWords)
        if (lines::contains(line, w))
            return true;
    return false;
}

std::string tidy(std::string_view line) {
    while (!line.empty() && (line.front() == '*' || line.front() == ' ')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == '*' || line.back() == ' ')) line.remove_suffix(1);
    return std::string(line.substr(0, kMessageLength));
}

// " Error termination via Lnk1e in /opt/g16/l301.exe at Tue Nov  5 09:44:38 2019."
// " Error termination via Lnk1e in C:\G09W\l301.exe at Mon May 18 08:37:35 2020."
// " Error termination request processed by link 9999."
// " Error termination in NtrErr:"
std::string failingLink(std::string_view line) {
    const std::size_t exe = lines::find(line, ".exe");
    if (exe != std::string_view::npos) {
        std::string_view path = line.substr(0, exe);
        const std::size_t slash = path.find_last_of("/\\| ");  // "|": normalised text
        return std::string(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
    }
    if (auto link = lines::count(lines::numberAfter(line, "processed by link")))
        return "l" + std::to_string(*link);
    if (lines::contains(line, "NtrErr"))
        return "NtrErr";
    return "unknown link";
}

// The message of an optimisation the optimiser gave up on, searched from
// `end` back to the previous termination line:
//  " Optimization stopped.
//       -- Number of steps exceeded,  NStep=  27"
std::string stoppedOptimisation(const Lines& all, std::size_t end) {
    for (std::size_t i = end; i-- > 0;) {
        const std::string_view line = lines::trim(all[i]);
        if (lines::startsWith(line, "Normal termination") ||
            lines::startsWith(line, "Error termination via"))
            break;
        if (lines::startsWith(line, "Optimization stopped")) {
            std::string message(line);
            if (i + 1 < all.size()) {
                std::string_view next = lines::trim(all[i + 1]);
                if (lines::startsWith(next, "--"))
                    message += " " + std::string(next);
            }
            return tidy(message);
        }
    }
    return {};
}

std::string reasonOf(const Lines& all) {
    // The last termination line decides.
    std::size_t last = all.size();
    bool error = false;
    for (std::size_t i = all.size(); i-- > 0;) {
        const std::string_view line = lines::trim(all[i]);
        // " Normal termination of Gaussian 16 at Tue Nov  5 09:44:38 2019."
        if (lines::startsWith(line, "Normal termination of Gaussian")) {
            last = i;
            break;
        }
        if (lines::startsWith(line, "Error termination")) {
            last = i;
            error = true;
            // The "via Lnk1e" line follows the "request processed" one: prefer it.
            if (i > 0 && lines::startsWith(lines::trim(all[i - 1]), "Error termination") &&
                !lines::contains(line, "via Lnk1e"))
                --last;
            break;
        }
    }
    if (last == all.size())
        return "no termination line";
    if (!error)
        return {};

    const std::string_view termination = lines::trim(all[last]);
    const std::string link = failingLink(termination);
    std::string message;
    if (link == "l9999") {
        // Link 9999 ends the job on request, typically of the optimiser; the
        // lines above it are the closing quotation.
        message = stoppedOptimisation(all, last);
    } else {
        const std::size_t from = last > kMessageWindow ? last - kMessageWindow : 0;
        std::string_view nearest;
        for (std::size_t i = last; i-- > from;) {
            const std::string_view line = lines::trim(all[i]);
            if (lines::startsWith(line, "Normal termination"))
                break;
            if (noise(line))
                continue;
            if (nearest.empty())
                nearest = line;
            if (looksLikeError(line)) {
                message = tidy(line);
                break;
            }
        }
        if (message.empty() && !nearest.empty())
            message = tidy(nearest);
    }
    return message.empty() ? link : link + ": " + message;
}

bool dashes(std::string_view line) {
    return line.size() >= 3 && line.find_first_not_of('-') == std::string_view::npos;
}

// Whether a route section asks for an optimisation: a keyword (blank-separated
// outside parentheses) named "opt": "opt", "opt=(calcfc,ts)", "Opt(MaxCycles=5)";
// not "stable=opt".  A keyword may carry the route's "#" ("#opt=(maxcycles=200)").
bool routeOptimises(std::string_view route) {
    int depth = 0;
    std::string keyword;
    bool named = false;  // the keyword's name has ended ("=" or "(" seen)
    auto check = [&] { return keyword == "opt"; };
    for (char c : route) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        if (depth == 0 && (c == ' ' || c == '\t')) {
            if (check())
                return true;
            keyword.clear();
            named = false;
            continue;
        }
        if (c == '=' || c == '(')
            named = true;
        else if (!named && depth == 0 && !(keyword.empty() && c == '#'))
            keyword += lines::lower(c);  // "#Opt" and "#p opt" alike
    }
    return check();
}

}  // namespace

namespace detail {

// The job health of a text given line by line.  What it keeps is small: the
// last ⟨S²⟩, the state of the current route section, the printouts of the
// last normal modes, and where the lines that explain the last termination
// lie; those few lines are read again at the end (reasonOf).
class HealthLines {
  public:
    // The next line, with its line end, where it starts and where it ends
    // (past its line end; a line cut short by the reader ends further on).
    void take(std::string_view raw, std::uint64_t offset, std::uint64_t end) {
        starts_[count_ % starts_.size()] = offset;
        ++count_;
        modes_.line(raw);
        // Every anchor of takeTrimmed begins with one of these letters: most
        // lines are passed over after a look at their first.
        std::size_t lead = 0;
        while (lead < raw.size() && (raw[lead] == ' ' || raw[lead] == '\t')) ++lead;
        const char first = lead < raw.size() ? lines::lower(raw[lead]) : '\0';
        if (!collecting_ && first != 'n' && first != 'e' && first != 'o' && first != 's' &&
            first != '#' && first != '-' && first != 'b') {
            stoppedBeforePrevious_ = stoppedBefore_;
            previousDashes_ = false;
            return;
        }
        const std::string_view line = withoutLineEnd(raw);
        const std::string_view t = lines::trim(line);
        const std::optional<std::uint64_t> stoppedBeforeLast = stoppedBefore_;
        takeTrimmed(t, line, offset, end);
        stoppedBeforePrevious_ = stoppedBeforeLast;
        previousDashes_ = dashes(t);
    }

    // Where the lines that reasonOf reads lie, once every line is taken.
    std::uint64_t reasonFrom() const { return reasonFrom_; }
    std::uint64_t reasonTo() const { return reasonTo_; }

    // The health; `reasonBytes` are the bytes from reasonFrom() to reasonTo().
    JobHealth finish(std::string_view reasonBytes) {
        endSection();
        JobHealth h;
        h.reason = reasonOf(lines::split(reasonBytes));
        if (auto modes = modes_.modes()) {
            int imaginary = 0;
            for (const NormalMode& m : modes->modes) {
                const double f = m.properties[0];
                if (std::isnan(f))
                    continue;
                imaginary += f < 0 ? 1 : 0;
                if (!h.lowestFrequency || f < *h.lowestFrequency)
                    h.lowestFrequency = f;
            }
            h.nimag = imaginary;
        }
        h.s2 = s2_;
        h.converged = converged_;
        return h;
    }

  private:
    // A route longer than this is no route Gaussian printed; it stops growing.
    static constexpr std::size_t kRouteLimit = std::size_t(1) << 20;

    void takeTrimmed(std::string_view t, std::string_view line, std::uint64_t offset,
                     std::uint64_t end) {
        // Termination: the last one explains the job; reasonOf looks at the
        // kMessageWindow lines above it and, for l9999, up to the last
        // "Optimization stopped" since the termination before.
        if (lines::startsWith(t, "Normal termination of Gaussian") ||
            lines::startsWith(t, "Error termination")) {
            const std::size_t back = std::min<std::size_t>(count_, kMessageWindow + 2);
            reasonFrom_ = starts_[(count_ - back) % starts_.size()];
            if (stoppedBeforePrevious_)
                reasonFrom_ = std::min(reasonFrom_, *stoppedBeforePrevious_);
            reasonTo_ = end;
        }
        if (lines::startsWith(t, "Normal termination") ||
            lines::startsWith(t, "Error termination via"))
            stoppedBefore_.reset();
        else if (lines::startsWith(t, "Optimization stopped"))
            stoppedBefore_ = offset;

        //   " S**2 before annihilation     0.7613,   after     0.7501"
        if (lines::startsWith(t, "S**2 before annihilation"))
            if (auto v = lines::numberAfter(t, "after"))
                s2_ = v;

        // Each job step echoes its route between dashed lines:
        //  " ----------------------------------
        //    #p opt freq=noraman b3lyp/6-31g(d)
        //    ----------------------------------"
        // The last step whose route asks for an optimisation is searched up to the
        // next route; there the optimiser prints " Berny optimization." at each step
        // and at the end "    Optimization completed.\n    -- Stationary point found."
        // or " Optimization stopped.".  The last of these decides; none means the job
        // stopped during the optimisation.  Frequency and force steps also print
        // "Berny optimization." (a one-step check) and are not optimisations.
        // The route is wrapped at a fixed width, even inside a word: its lines
        // are joined without their one leading blank.
        if (t.starts_with("#") && previousDashes_) {
            endSection();
            inSection_ = collecting_ = true;
            route_.clear();
            marker_.reset();
        }
        if (collecting_) {
            if (dashes(t)) {
                collecting_ = false;
            } else if (route_.size() < kRouteLimit) {
                if (!line.empty() && line.front() == ' ')
                    line.remove_prefix(1);
                route_ += line;
            }
        }
        if (lines::startsWith(t, "Optimization completed") ||
            lines::startsWith(t, "-- Stationary point found"))
            marker_ = true;
        else if (lines::startsWith(t, "Optimization stopped") ||
                 lines::startsWith(t, "Berny optimization"))
            marker_ = false;
    }

    // The last marker of an optimising section says whether it converged.
    void endSection() {
        if (inSection_ && routeOptimises(route_))
            converged_ = marker_.value_or(false);
        inSection_ = false;
    }

    NormalModesCollector modes_;
    // Where the last lines start: room for the kMessageWindow + 2 lines
    // reasonOf may read, rounded up to a power of two.
    std::array<std::uint64_t, 64> starts_{};
    std::size_t count_ = 0;
    std::uint64_t reasonFrom_ = 0;
    std::uint64_t reasonTo_ = 0;
    std::optional<std::uint64_t> stoppedBefore_;  // "Optimization stopped" since a termination
    std::optional<std::uint64_t> stoppedBeforePrevious_;  // the same before the previous line
    std::optional<double> s2_;
    bool previousDashes_ = false;
    bool inSection_ = false;
    bool collecting_ = false;
    std::string route_;
    std::optional<bool> marker_;
    std::optional<bool> converged_;
};

}  // namespace detail

using detail::HealthLines;

std::string failureReason(std::string_view fileBytes) {
    return reasonOf(lines::split(fileBytes));
}

JobHealthReader::JobHealthReader() : lines_(std::make_unique<HealthLines>()) {}
JobHealthReader::~JobHealthReader() = default;
JobHealthReader::JobHealthReader(JobHealthReader&&) noexcept = default;
JobHealthReader& JobHealthReader::operator=(JobHealthReader&&) noexcept = default;

void JobHealthReader::feed(std::string_view piece) {
    while (!piece.empty()) {
        const std::size_t lf = piece.find('\n');
        const std::size_t length = lf == std::string_view::npos ? piece.size() : lf + 1;
        const std::string_view part = piece.substr(0, length);
        piece.remove_prefix(length);
        if (partialLength_ == 0 && lf != std::string_view::npos) {
            // The common case: a whole line inside the piece.
            lines_->take(part, read_, read_ + length);
            read_ += length;
            continue;
        }
        if (partial_.size() < kLongestLine)
            partial_.append(part.substr(0, kLongestLine - partial_.size()));
        partialLength_ += length;
        if (lf == std::string_view::npos)
            return;
        endPartialLine();
    }
}

void JobHealthReader::endPartialLine() {
    lines_->take(partial_, read_, read_ + partialLength_);
    read_ += partialLength_;
    partial_.clear();
    partialLength_ = 0;
}

Result<JobHealth> JobHealthReader::finish(const ByteRange& bytes) {
    if (partialLength_ > 0)  // a last line without its line end
        endPartialLine();
    Result<std::string> reason = bytes(lines_->reasonFrom(), lines_->reasonTo());
    if (!reason)
        return reason.error();
    return lines_->finish(*reason);
}

JobHealth jobHealth(std::string_view fileBytes) {
    JobHealthReader reader;
    reader.feed(fileBytes);
    Result<JobHealth> health = reader.finish([&](std::uint64_t from, std::uint64_t to) {
        return Result<std::string>(std::string(fileBytes.substr(from, to - from)));
    });
    return std::move(*health);
}

Result<JobHealth> jobHealthOfFile(const std::string& path) {
    Result<LineReader> reader = LineReader::open(path);
    if (!reader)
        return reader.error();
    JobHealthReader health;
    while (const auto line = reader->next()) health.feed(*line);
    if (reader->error())
        return *reader->error();
    return health.finish(
        [&](std::uint64_t from, std::uint64_t to) { return reader->bytes(from, to); });
}

Result<JobHealth> finishJobHealthOfFile(JobHealthReader& reader, const std::string& path) {
    Result<LineReader> file = LineReader::open(path);
    if (!file)
        return file.error();
    return reader.finish(
        [&](std::uint64_t from, std::uint64_t to) { return file->bytes(from, to); });
}

}  // namespace zerlant
