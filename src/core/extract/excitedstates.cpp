#include "core/extract/excitedstates.hpp"

#include <string_view>

#include "core/extract/blocklines.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

// The R(length) column of the last rotatory-strength table, one value per
// state line in the order printed (0 where the column is not a number).
std::vector<double> rotatoryStrengths(TextRef fileText) {
    std::vector<double> strengths;
    // The table runs to the heading of the velocity-dipole table that follows
    // it, which older versions print without the "1/2[" and the blanks.
    using gaussian::anchor::kRotatoryStrengths;
    using gaussian::anchor::kRotatoryStrengthsOlder;
    TextRef block = textoentre(fileText, kRotatoryStrengths.start, kRotatoryStrengths.end, true);
    if (block.empty())
        block =
            textoentre(fileText, kRotatoryStrengthsOlder.start, kRotatoryStrengthsOlder.end, true);
    if (block.empty())
        return strengths;
    std::vector<std::string_view> lines;
    blocklines::forEachLine(block.text(),
                            [&](std::size_t, std::string_view line) { lines.push_back(line); });
    // The column heading "state XX YY ZZ R(length)" switches the reading on;
    // the last line is the start of the next heading's line.
    bool reading = false;
    std::vector<std::string_view> pieces;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        if (reading) {
            blocklines::nonEmptyPieces(lines[i], pieces);
            double value = 0.0;
            if (pieces.size() > 4 && isNumeric(pieces[4]))
                value = toDouble(pieces[4]).value_or(0.0);
            strengths.push_back(value);
        }
        if (contienetexto(lines[i], "R(length)"))
            reading = true;
    }
    return strengths;
}

// The last excitation printout: from its heading to "SavETr".  Older versions
// print no "SavETr"; their printout ends at the first empty line.
TextRef excitationBlock(TextRef fileText) {
    constexpr gaussian::BlockAnchor kExcitations = gaussian::anchor::kExcitations;
    std::size_t at = fileText.rfind(kExcitations.start);
    if (at == TextRef::npos)
        return {};
    TextRef rest = fileText.sub(at + kExcitations.start.size());
    std::size_t end = rest.find(kExcitations.end, 1);
    if (end == TextRef::npos) {
        end = rest.find("\r\n\r\n", 1);
        if (end == TextRef::npos)
            return {};
        end += 2;
    }
    return rest.sub(0, end);
}

}  // namespace

ExcitedStates estadosexcitados(TextRef fileText) {
    ExcitedStates out;
    TextRef block = excitationBlock(fileText);
    if (block.empty())
        return out;
    const std::vector<double> strengths = rotatoryStrengths(fileText);

    std::vector<std::string_view> lines;
    blocklines::forEachLine(block.text(),
                            [&](std::size_t, std::string_view line) { lines.push_back(line); });
    std::size_t states = 0;
    std::size_t transitions = 0;
    std::vector<std::string_view> pieces;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        std::string_view line = lines[i];
        blocklines::nonEmptyPieces(line, pieces);
        const bool olderStateLine =
            pieces.size() > 1 && pieces[0] == "Excited" && pieces[1] == "State";
        if (olderStateLine || contienetexto(line, "<S**2>")) {
            // "Excited State 1: Singlet-A 5.1234 eV 241.99 nm f=0.0012 <S**2>=0.000":
            // the numbers by position, energy then wavelength, then f; the
            // rotatory strength follows f.
            ++states;
            if (states > out.states.size())
                out.states.resize(states, ExcitedState{});
            ExcitedState& state = out.states[states - 1];
            state[0] = static_cast<double>(states);
            std::size_t k = 1;
            auto store = [&](double value) {
                ++k;
                if (k < state.size())
                    state[k - 1] = value;
                if (k == 4) {
                    k = 5;
                    state[4] = states <= strengths.size() ? strengths[states - 1] : 0.0;
                }
            };
            for (std::string_view p : pieces) {
                if (isNumeric(p))
                    store(toDouble(p).value_or(0.0));
                else if (p.find("f=") != std::string_view::npos)
                    store(leadingNumber(p.substr(2)));
            }
        } else if (line.find("->") != std::string_view::npos) {
            // "5 -> 7  0.70123": "5->" and 7; the coefficient is not read.
            ++transitions;
            if (transitions > out.transitions.size())
                out.transitions.resize(transitions);
            ExcitedTransition& t = out.transitions[transitions - 1];
            t.stateText = std::to_string(states);
            t.state = static_cast<double>(states);
            t.orbitals.clear();
            // A target of three digits follows the arrow without a blank
            // ("104A ->108A  0.15573"): the line is cut at the arrow, so that
            // the coefficient is never taken for the target orbital.
            const std::size_t arrow = line.find("->");
            std::vector<std::string_view> from;
            std::vector<std::string_view> to;
            blocklines::nonEmptyPieces(line.substr(0, arrow), from);
            blocklines::nonEmptyPieces(line.substr(arrow + 2), to);
            if (from.size() == 1) {
                t.orbitals = std::string(from[0]) + "->";
                t.target = to.empty() ? 0.0 : leadingNumber(to[0]);
            } else {
                if (pieces.size() > 0)
                    t.orbitals += pieces[0];
                if (pieces.size() > 1)
                    t.orbitals += pieces[1];
                t.target = pieces.size() > 2 ? leadingNumber(pieces[2]) : 0.0;
            }
        }
    }
    return out;
}

}  // namespace zerlant
