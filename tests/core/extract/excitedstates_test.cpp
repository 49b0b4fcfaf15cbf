#include "core/extract/excitedstates.hpp"

#include <gtest/gtest.h>

#include "core/files/filetext.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

ExcitedStates fromText(const std::string& text) {
    FoldedText folded(normalisedText(text));
    return estadosexcitados(folded.ref());
}

void expectTransition(const ExcitedTransition& t, int state, const std::string& orbitals,
                      double target) {
    EXPECT_EQ(t.stateText, std::to_string(state));
    EXPECT_EQ(t.state, state);
    EXPECT_EQ(t.orbitals, orbitals);
    EXPECT_EQ(t.target, target);
}

TEST(ExcitedStates, HandWrittenPrintouts) {
    ExcitedStates none = fromText(" SCF Done\n");
    ASSERT_EQ(none.states.size(), 1u);
    EXPECT_EQ(none.states[0], ExcitedState{});
    ASSERT_EQ(none.transitions.size(), 1u);
    EXPECT_EQ(none.transitions[0].orbitals, "");

    // Two printouts: only the last is read.  De-excitations are passed over; a
    // transition line too short stores what it has; the rotatory strengths
    // come from the R(length) table, missing ones are 0.
    ExcitedStates e = fromText(
        " Excitation energies and oscillator strengths:\n"
        " Excited State   1:      Singlet-A      9.0 eV  9.0 nm  f=0.9  <S**2>=0.000\n"
        " SavETr:  write IOETrn=   770\n"
        " Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)\n"
        "       state          XX          YY          ZZ     R(length)\n"
        "         1        -0.3893     -6.7546      5.7736     -0.4568\n"
        "  1/2[<0|del|b>*<b|r|0> + (<0|r|b>*<b|del|0>)*] (Au)\n"
        " Excitation energies and oscillator strengths:\n"
        " \n"
        " Excited State   1:      Singlet-A      5.1234 eV  241.99 nm  f=0.0012  <S**2>=0.000\n"
        "       5 -> 7         0.70123\n"
        "       5 <- 7         0.01\n"
        "       6 -> 8        -0.1\n"
        " This state for optimization and/or second-order correction.\n"
        " Total Energy, E(TD-HF/TD-DFT) =  -382.112205281\n"
        " \n"
        " Excited State   2:      Triplet-A      6.5 eV  190.7 nm  f=0.0000  <S**2>=2.000\n"
        "      21A -> 23A        0.5\n"
        "     104A ->108A        0.15573\n"
        "      ->\n"
        " \n"
        " SavETr:  write IOETrn=   770\n");
    ASSERT_EQ(e.states.size(), 2u);
    EXPECT_EQ(e.states[0], (ExcitedState{1, 5.1234, 241.99, 0.0012, -0.4568}));
    EXPECT_EQ(e.states[1], (ExcitedState{2, 6.5, 190.7, 0.0, 0.0}));
    ASSERT_EQ(e.transitions.size(), 5u);
    expectTransition(e.transitions[0], 1, "5->", 7);
    expectTransition(e.transitions[1], 1, "6->", 8);
    expectTransition(e.transitions[2], 2, "21A->", 23);
    expectTransition(e.transitions[3], 2, "104A->", 108);  // not the coefficient
    expectTransition(e.transitions[4], 2, "->", 0);
}

}  // namespace
}  // namespace zerlant
