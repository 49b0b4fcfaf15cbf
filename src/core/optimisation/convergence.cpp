#include "core/optimisation/convergence.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

#include "core/files/openfile.hpp"
#include "core/text/numbers.hpp"

namespace zerlant {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The blank-separated words of a line.
std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
        if (i > start)
            out.push_back(s.substr(start, i - start));
    }
    return out;
}

std::optional<double> finite(std::string_view text) {
    auto v = toDouble(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

std::optional<int> wholeNumber(std::string_view text) {
    auto v = toDouble(text);
    if (!v || *v < 0 || *v > 1e9 || *v != std::floor(*v))
        return std::nullopt;
    return static_cast<int>(*v);
}

// " Maximum Force            0.063940     0.000450     NO "
std::optional<Criterion> criterionOf(std::string_view line) {
    if (startsWith(line, " Maximum Force"))
        return Criterion::MaximumForce;
    if (startsWith(line, " RMS     Force"))
        return Criterion::RmsForce;
    if (startsWith(line, " Maximum Displacement"))
        return Criterion::MaximumDisplacement;
    if (startsWith(line, " RMS     Displacement"))
        return Criterion::RmsDisplacement;
    return std::nullopt;
}

// Every line the reader looks at holds one of these.
constexpr std::array<std::string_view, 5> kAnchors = {"SCF Done:", "Step number", "Converged?",
                                                      "Optimization completed", " termination"};
constexpr std::size_t kLongestLine = 4096;

}  // namespace

void ConvergenceReader::line(std::string_view text) {
    if (criteriaLeft_ > 0) {
        --criteriaLeft_;
        if (auto c = criterionOf(text)) {
            const auto w = words(text);
            CriterionValue& v = track_.steps.back().criteria[static_cast<std::size_t>(*c)];
            // The name is two words; then value, threshold, YES/NO.
            if (w.size() >= 5) {
                v.value = finite(w[2]);
                v.threshold = finite(w[3]);
                v.met = w[4] == "YES";
            }
            OptimisationStep& step = track_.steps.back();
            bool all = true;
            for (const CriterionValue& x : step.criteria) all = all && x.met;
            step.converged = step.converged || all;
            return;
        }
        criteriaLeft_ = 0;  // the table ended early
    }
    if (startsWith(text, " SCF Done:")) {
        // " SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles"
        const auto eq = text.find('=');
        if (eq != std::string_view::npos) {
            const auto w = words(text.substr(eq + 1));
            if (!w.empty()) {
                energy_ = finite(w[0]);
                energySinceStep_ = true;
            }
        }
        return;
    }
    if (startsWith(text, " Step number")) {
        // " Step number   1 out of a maximum of   20 on scan point     2 out of    11"
        const auto w = words(text);
        stepInRun_ = w.size() > 2 ? wholeNumber(w[2]) : std::nullopt;
        scanPoint_.reset();
        for (std::size_t i = 0; i + 3 < w.size(); ++i)
            if (w[i] == "scan" && w[i + 1] == "point")
                scanPoint_ = wholeNumber(w[i + 2]);
        return;
    }
    if (startsWith(text, "         Item               Value     Threshold  Converged?")) {
        OptimisationStep step;
        step.number = static_cast<int>(track_.steps.size()) + 1;
        step.stepInRun = stepInRun_;
        step.scanPoint = scanPoint_;
        step.energy = energySinceStep_ ? energy_ : std::nullopt;
        energySinceStep_ = false;
        stepInRun_.reset();
        track_.steps.push_back(step);
        criteriaLeft_ = 4;
        return;
    }
    if (startsWith(text, "    Optimization completed.") ||
        startsWith(text, " Optimization completed.")) {
        track_.completed = true;
        if (!track_.steps.empty())
            track_.steps.back().converged = true;
        return;
    }
    if (startsWith(text, " Normal termination") || startsWith(text, " Error termination"))
        track_.terminated = true;
}

void ConvergenceReader::feed(std::string_view bytes) {
    consumed_ += bytes.size();
    // First the end of a line begun in the last piece.
    while (!bytes.empty() && !partial_.empty()) {
        const auto end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        // Lines are short; a "line" of megabytes holds nothing of ours.
        if (partial_.size() < kLongestLine)
            partial_.append(piece.substr(0, kLongestLine - partial_.size()));
        if (end == std::string_view::npos)
            return;
        line(partial_);
        partial_.clear();
        bytes.remove_prefix(end + 1);
    }
    // Then only the lines that hold an anchor, found by a fast search.
    const auto lastEnd = bytes.rfind('\n');
    const std::string_view complete =
        lastEnd == std::string_view::npos ? std::string_view() : bytes.substr(0, lastEnd + 1);
    std::array<std::size_t, kAnchors.size()> next{};
    for (std::size_t a = 0; a < kAnchors.size(); ++a) next[a] = complete.find(kAnchors[a]);
    std::size_t pos = 0;
    while (pos < complete.size()) {
        std::size_t lineStart;
        if (criteriaLeft_ > 0) {
            lineStart = pos;
        } else {
            std::size_t hit = std::string_view::npos;
            for (std::size_t a = 0; a < kAnchors.size(); ++a) {
                if (next[a] != std::string_view::npos && next[a] < pos)
                    next[a] = complete.find(kAnchors[a], pos);
                hit = std::min(hit, next[a]);
            }
            if (hit == std::string_view::npos)
                break;
            const auto before = complete.rfind('\n', hit);
            lineStart = before == std::string_view::npos || before < pos ? pos : before + 1;
        }
        const auto lineEnd = complete.find('\n', lineStart);
        line(complete.substr(lineStart, lineEnd - lineStart));
        pos = lineEnd + 1;
    }
    const std::string_view rest = bytes.substr(complete.size());
    partial_.assign(rest.substr(0, kLongestLine));
}

Result<ConvergenceTrack> readConvergence(const std::string& path) {
    auto opened = openRegularFile(path);
    if (!opened)
        return opened.error();
    ConvergenceReader reader;
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    for (;;) {
        const ssize_t n = ::read(opened->fd(), buffer.get(), 1 << 20);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Error{std::strerror(errno), path};
        }
        if (n == 0)
            break;
        reader.feed(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
    }
    return reader.track();
}

}  // namespace zerlant
