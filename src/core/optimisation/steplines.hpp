#pragma once
// Line helpers shared by the readers of optimisation steps: the pieces of a
// line, the lines they look for and the reading of a convergence criterion.
// Internal to src/core/optimisation.

#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "core/gaussian/lines.hpp"
#include "core/optimisation/anchoredlines.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/text/numbers.hpp"

namespace zerlant::optimisation_detail {

inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The blank-separated words of a line.
inline std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    gaussian::piecesOf(s, out);
    return out;
}

inline std::optional<double> finite(std::string_view text) {
    auto v = toDouble(text);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

inline std::optional<int> wholeNumber(std::string_view text) {
    auto v = toDouble(text);
    if (!v || *v < 0 || *v > 1e9 || *v != std::floor(*v))
        return std::nullopt;
    return static_cast<int>(*v);
}

// " Maximum Force            0.063940     0.000450     NO "
inline std::optional<Criterion> criterionOf(std::string_view line) {
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

// Reads a criterion line into `criteria`; false when the line is none (the
// table ended early).
inline bool readCriterion(std::string_view line, std::array<CriterionValue, kCriteria>& criteria) {
    const auto c = criterionOf(line);
    if (!c)
        return false;
    const auto w = words(line);
    CriterionValue& v = criteria[static_cast<std::size_t>(*c)];
    // The name is two words; then value, threshold, YES/NO.
    if (w.size() >= 5) {
        v.value = finite(w[2]);
        v.threshold = finite(w[3]);
        v.met = w[4] == "YES";
    }
    return true;
}

inline bool allMet(const std::array<CriterionValue, kCriteria>& criteria) {
    bool all = true;
    for (const CriterionValue& x : criteria) all = all && x.met;
    return all;
}

// " SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles"
inline std::optional<double> scfEnergy(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const auto w = words(line.substr(eq + 1));
    if (w.empty())
        return std::nullopt;
    return finite(w[0]);
}

// " Step number   1 out of a maximum of   20 on scan point     2 out of    11"
inline void stepNumbers(std::string_view line, std::optional<int>& stepInRun,
                        std::optional<int>& scanPoint) {
    const auto w = words(line);
    stepInRun = w.size() > 2 ? wholeNumber(w[2]) : std::nullopt;
    scanPoint.reset();
    for (std::size_t i = 0; i + 3 < w.size(); ++i)
        if (w[i] == "scan" && w[i + 1] == "point")
            scanPoint = wholeNumber(w[i + 2]);
}

inline constexpr std::string_view kTableHeading =
    "         Item               Value     Threshold  Converged?";

inline bool optimisationCompleted(std::string_view line) {
    return startsWith(line, "    Optimization completed.") ||
           startsWith(line, " Optimization completed.");
}

inline bool termination(std::string_view line) {
    return startsWith(line, " Normal termination") || startsWith(line, " Error termination");
}

}  // namespace zerlant::optimisation_detail
