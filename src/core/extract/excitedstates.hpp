#pragma once
// Excited states of the last excitation printout: per state its energy,
// wavelength, oscillator and rotatory strength, and its orbital transitions.

#include <array>
#include <string>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// Five values per state: state number (1, 2, ... as counted), excitation
// energy (eV), wavelength (nm), oscillator strength f, rotatory strength
// R(length) (0 when the file prints none for that state).
using ExcitedState = std::array<double, 5>;

// One transition line such as "5 -> 7  0.70123" or "104A ->108A  0.15573"
// (the coefficient is not read).
struct ExcitedTransition {
    std::string stateText;  // text field 1: number of the state it belongs to, as text ("1")
    std::string orbitals;   // text field 2: first piece joined to the second ("5->")
    double state = 0.0;     // number field 1: the state number
    double target = 0.0;    // number field 2: leading number of the third piece (7)
};

// Both lists 0-based.  Their starting value (no printout in the file, or no
// state/transition line in it) is one entry of zeros/empty texts, as the
// extraction resets them before each file.
struct ExcitedStates {
    std::vector<ExcitedState> states = std::vector<ExcitedState>(1, ExcitedState{});
    std::vector<ExcitedTransition> transitions = std::vector<ExcitedTransition>(1);
};

// Reads the last "Excitation energies and oscillator strengths:" printout (up
// to "SavETr", or to the first empty line in older versions that print no
// "SavETr") of the normalised output text, and the rotatory strengths of the
// last R(length) table.  A state line holds "<S**2>" or, in older versions and
// equation-of-motion printouts, begins with "Excited State".
ExcitedStates estadosexcitados(TextRef fileText);

}  // namespace zerlant
