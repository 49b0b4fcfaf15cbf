// The readers of single blocks of a Gaussian output (orbital energies, Mulliken
// charges, frequencies, geometry, excited states, thermochemistry) on
// hand-written printouts: the edge cases real outputs seldom hold.  (Every real
// output: tests/golden.)  And the route section's reading.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/extract/geometry.hpp"
#include "core/extract/mulliken.hpp"
#include "core/extract/orbitals.hpp"
#include "core/extract/route.hpp"
#include "core/extract/thermochemistry.hpp"
#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

// What `read` gives for `text` normalised as the readers get it.
template <class Read>
auto readText(Read read, const std::string& text) {
    FoldedText folded(normalisedText(text));
    return read(folded.ref());
}

constexpr OrbitalKind kAlphaOcc{OrbitalSpin::Alpha, OrbitalOccupancy::Occupied};
constexpr OrbitalKind kAlphaVirt{OrbitalSpin::Alpha, OrbitalOccupancy::Virtual};

TEST(Orbitals, ClosedShellLabelsHomoLumoAndSymmetries) {
    auto o = readText(energiasorbitales,
                      " Orbital symmetries:\n"
                      "       Occupied  (A1) (A1) (T2)\n"
                      "       Virtual   (A1) (T2)\n"
                      " The electronic state is 1-A1.\n"
                      " Alpha  occ. eigenvalues --  -10.2 -0.7 -0.4\n"
                      " Alpha virt. eigenvalues --   0.1 0.3\n"
                      "          Condensed to atoms (all electrons):\n");
    EXPECT_EQ(o.energies, (std::vector<double>{-10.2, -0.7, -0.4, 0.1, 0.3}));
    EXPECT_EQ(o.kinds,
              (std::vector<OrbitalKind>{kAlphaOcc, kAlphaOcc, kAlphaOcc, kAlphaVirt, kAlphaVirt}));
    EXPECT_EQ(o.symmetries, (std::vector<std::string>{"A1", "A1", "T2", "A1", "T2"}));
    EXPECT_DOUBLE_EQ(o.homo, -0.4);
    EXPECT_DOUBLE_EQ(o.lumo, 0.1);
}

TEST(Orbitals, EdgeCasesOfHandWrittenBlocks) {
    // No eigenvalue at all: empty lists, HOMO and LUMO stay 0.
    auto none = readText(energiasorbitales, "nothing here\n");
    EXPECT_TRUE(none.energies.empty());
    EXPECT_EQ(none.homo, 0.0);
    EXPECT_EQ(none.lumo, 0.0);

    // Without a symmetry block the last population analysis is read (not the
    // "Full Mulliken population analysis" matrix inside it nor the natural
    // population summary after it); values fused in their fixed-width fields
    // are cut apart, overflowed ones skipped; missing symmetry labels are
    // empty.
    auto o = readText(energiasorbitales,
                      " Population analysis using the SCF density.\n"
                      " Alpha  occ. eigenvalues --  -10.16707-100.12345**********-0.50000\n"
                      " Alpha  occ. eigenvalues -- -432.65565-432.65565 -0.6\n"
                      " Alpha virt. eigenvalues --    0.2 167.099152938.92736\n"
                      "     Molecular Orbital Coefficients:\n"
                      "   1 1   O  1S          0.99 -0.88\n"
                      "    Full Mulliken population analysis:\n"
                      "   1 1   O  1S          2.10753\n"
                      "          Condensed to atoms (all electrons):\n"
                      " Summary of Natural Population Analysis:\n");
    EXPECT_EQ(o.energies, (std::vector<double>{-10.16707, -100.12345, -0.5, -432.65565, -432.65565,
                                               -0.6, 0.2, 167.09915, 2938.92736}));
    EXPECT_EQ(o.symmetries, std::vector<std::string>(9));
    EXPECT_DOUBLE_EQ(o.homo, -0.5);
    EXPECT_DOUBLE_EQ(o.lumo, 0.2);

    // A later analysis printed without symmetry (the last point of a
    // trajectory) is read, not the symmetric first one.
    auto later = readText(energiasorbitales,
                          " Population analysis using the SCF density.\n"
                          " Orbital symmetries:\n       Occupied  (A1)\n       Virtual   (B2)\n"
                          " The electronic state is 1-A1.\n"
                          " Alpha  occ. eigenvalues --   -0.6\n Alpha virt. eigenvalues --    0.4\n"
                          "          Condensed to atoms (all electrons):\n"
                          " Population analysis using the SCF density.\n"
                          " Alpha  occ. eigenvalues --   -0.5\n Alpha virt. eigenvalues --    0.3\n"
                          "          Condensed to atoms (all electrons):\n");
    EXPECT_EQ(later.energies, (std::vector<double>{-0.5, 0.3}));
    EXPECT_EQ(later.symmetries, (std::vector<std::string>{"", ""}));
    EXPECT_DOUBLE_EQ(later.homo, -0.5);
}

TEST(Formula, OrderOfFirstAppearance) {
    EXPECT_EQ(formulamolecular({"C", "H", "H", "H", "H"}), "CH4");
    EXPECT_EQ(formulamolecular({"O", "H", "H"}), "OH2");
    EXPECT_EQ(formulamolecular({"H", "H", "O"}), "H2O");
    EXPECT_EQ(formulamolecular({"C", "O", "O"}), "CO2");
    EXPECT_EQ(formulamolecular({"Cl", "CL", "Cl"}), "Cl2CL");  // compared exactly
    EXPECT_EQ(formulamolecular({}), "");
    EXPECT_EQ(formulamolecular({"", "C", "", "C"}), "C2");
}

TEST(Mulliken, HandWrittenBlocks) {
    MullikenCharges lists;
    lists.symbols = {"X"};
    lists.charges = {9.0};

    // No block: false, and the lists it was given are left as they were.
    FoldedText none(normalisedText(" SCF Done:  E(RHF) = -1.0\n"));
    EXPECT_FALSE(cargasmulliken(none.ref(), lists));
    EXPECT_EQ(lists.symbols, std::vector<std::string>{"X"});
    EXPECT_EQ(lists.charges, std::vector<double>{9.0});

    // The spin-density block: spin densities ignored; a charge that is not a
    // number is 0; a short line stores nothing but keeps its place.
    FoldedText spin(
        normalisedText(" Mulliken charges and spin densities:\n"
                       "               1          2\n"
                       "     1  O   -0.319889   0.7\n"
                       "     2  H    abc        0.1\n"
                       "     3\n"
                       "     4  H    0.159944   0.2\n"
                       " Sum of Mulliken charges =   0.00000\n"));
    ASSERT_TRUE(cargasmulliken(spin.ref(), lists));
    EXPECT_EQ(lists.symbols, (std::vector<std::string>{"O", "H", "", "H"}));
    EXPECT_EQ(lists.charges, (std::vector<double>{-0.319889, 0.0, 0.0, 0.159944}));
    EXPECT_EQ(formulamolecular(lists.symbols), "OH2");

    // A block found replaces a longer previous list whole.
    FoldedText small(
        normalisedText(" Total atomic charges:\n   1\n  1  H  0.0\n"
                       " Sum of Mulliken charges=   0.00000\n"));
    ASSERT_TRUE(cargasmulliken(small.ref(), lists));
    EXPECT_EQ(lists.symbols, std::vector<std::string>{"H"});
    EXPECT_EQ(lists.charges.size(), 1u);
}

TEST(Mulliken, FirstHeadingWinsWhereverItLiesInALargeText) {
    // The headings are looked for a megabyte at a time from the end; the
    // first heading wins over a later "Mulliken charges:" block even when its
    // "charges" straddles or starts a block boundary.
    const std::string first =
        "Mulliken atomic charges:\r\n 1\r\n 1 C -0.5\r\n Sum of Mulliken charges= 0\r\n";
    const std::string later =
        " Mulliken charges:\r\n 1\r\n 1 O 0.3\r\n Sum of Mulliken charges= 0\r\n";
    const std::size_t charges = first.find("charges");
    const std::size_t megabyte = std::size_t(1) << 20;
    for (int shift : {6, 3, 0, -5}) {
        const std::size_t size = charges + megabyte + static_cast<std::size_t>(shift);
        std::string text = first + std::string(size - first.size() - later.size(), ' ') + later;
        ASSERT_EQ(text.size(), size);
        FoldedText folded(std::move(text));
        MullikenCharges m;
        ASSERT_TRUE(cargasmulliken(folded.ref(), m)) << shift;
        EXPECT_EQ(m.symbols, std::vector<std::string>{"C"}) << shift;
        EXPECT_EQ(m.charges, std::vector<double>{-0.5}) << shift;
    }
}

// NaN never equals itself: compare the printed form.
std::string shown(const FrequencyTable& table) {
    std::string out;
    for (const FrequencyMode& m : table) {
        for (double v : m) out += std::isnan(v) ? "-" : std::to_string(v).substr(0, 9);
        out += '|';
    }
    return out;
}

TEST(Frequencies, HandWrittenBlocks) {
    // No printout: one mode of zeros.
    FoldedText none(normalisedText(" SCF Done\n"));
    EXPECT_EQ(shown(frecuencias(none.ref())), shown(FrequencyTable(1, kModeNotPrinted)));

    // More values than modes, more lines than rows, a label-only line: the
    // surplus is ignored.
    FoldedText text(
        normalisedText(" and normal coordinates:\n"
                       "                      1                      2\n"
                       "                     A1                     B2\n"
                       " Frequencies --   -123.4567              200.0         300.0\n"
                       " Red. masses --      1.5                 2.5\n"
                       " Frc consts  --\n"
                       " IR Inten    --      3.0                 4.0\n"
                       " Raman Activ --      5.0                 6.0\n"
                       " Depolar (P) --      0.7                 0.75\n"
                       " Depolar (U) --      0.8                 0.85\n"
                       " Extra       --      9.0                 9.0\n"
                       "  Atom  AN      X      Y      Z\n"));
    FrequencyTable f = frecuencias(text.ref());
    ASSERT_EQ(f.size(), 2u);
    const double unset = kModeNotPrinted[0];  // "Frc consts --" without values
    EXPECT_EQ(shown(f), shown(FrequencyTable{{-123.4567, 1.5, unset, 3.0, 5.0, 0.7, 0.8},
                                             {200.0, 2.5, unset, 4.0, 6.0, 0.75, 0.85}}));

    // A heading without mode numbers keeps the single zero mode.
    FoldedText empty(normalisedText(" and normal coordinates:\n\n\n Atom\n"));
    EXPECT_EQ(shown(frecuencias(empty.ref())), shown(FrequencyTable(1, kModeNotPrinted)));

    // Every group, not just the first three modes; Gaussian 98's single
    // "Depolar" line is the plane-light ratio.
    FoldedText groups(
        normalisedText(" and normal coordinates:\n"
                       "                      1\n"
                       "                     A\n"
                       " Frequencies --   100.0\n"
                       " Depolar     --     0.3333\n"
                       "  Atom  AN      X      Y      Z\n"
                       "     1   6     0.00   0.00   0.05\n"
                       "                      2                      3\n"
                       "                     A                      A\n"
                       " Frequencies --   200.0                  300.0\n"
                       "  Atom  AN      X      Y      Z\n"
                       "\n"
                       " - Thermochemistry -\n"
                       "                      4\n"));
    FrequencyTable all = frecuencias(groups.ref());
    ASSERT_EQ(all.size(), 3u);
    EXPECT_DOUBLE_EQ(all[0][5], 0.3333);
    EXPECT_DOUBLE_EQ(all[2][0], 300.0);
}

GeometryAtom atom(std::string a, std::string b, std::string c, std::string d, std::string e = "",
                  std::string f = "", std::string g = "") {
    return {a, b, c, d, e, f, g};
}

TEST(Geometry, ArchiveLines) {
    std::vector<std::string> lines = {"0,1", "C,0.,0.,0.", "H,0.6,0.6,0.6", "C,0,0.,0.,0.",
                                      "O,1,2,3,4,5,6,7,8"};
    GeometryTable g = geometriaentrada(lines);
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0], atom("C", "0.", "0.", "0."));
    EXPECT_EQ(g[1], atom("H", "0.6", "0.6", "0.6"));
    EXPECT_EQ(g[2], atom("C", "0", "0.", "0.", "0."));         // freeze flag in field 2
    EXPECT_EQ(g[3], atom("O", "1", "2", "3", "4", "5", "6"));  // seven parts at most
    EXPECT_TRUE(geometriaentrada(std::vector<std::string>{"0,1"}).empty());
    EXPECT_TRUE(geometriaentrada(std::vector<std::string_view>{}).empty());
}

TEST(Geometry, StandardOrientationBlocks) {
    FoldedText text(
        normalisedText("                         Standard orientation:\n"
                       " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                       " Number     Number       Type             X           Y           Z\n"
                       " ---------------------------------------------------------------------\n"
                       "      1          8           0        9.000000    9.000000    9.000000\n"
                       " Rotational constants (GHZ):      1.0     2.0     3.0\n"
                       "                         Standard orientation:\n"
                       " Center     Atomic      Atomic             Coordinates (Angstroms)\n"
                       " Number     Number       Type             X           Y           Z\n"
                       " ---------------------------------------------------------------------\n"
                       "      1          6           0        0.000000    0.000000    1.089000\n"
                       "      2          0           0        1.000000    0.000000    0.000000\n"
                       "      3         -1           0        2.000000    0.000000    0.000000\n"
                       "      4          x           0        3.000000\n"
                       " ---------------------------------------------------------------------\n"
                       " Rotational constants (GHZ):      1.0     2.0     3.0\n"));
    GeometryTable g = geometriaoptimizada(text.ref(), std::vector<std::string>{"0,1", "N,1,2,3"});
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0], atom("C", "0.000000", "0.000000", "1.089000"));
    EXPECT_EQ(g[1], atom("", "1.000000", "0.000000", "0.000000"));  // ghost atom 0
    EXPECT_EQ(g[3], atom("", "3.000000", "", ""));                  // short line, no integer

    // Without a "Standard orientation:" block: the archive geometry.
    FoldedText plain(normalisedText(" Input orientation:\n"));
    GeometryTable a = geometriaoptimizada(plain.ref(), std::vector<std::string>{"0,1", "N,1,2,3"});
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0], atom("N", "1", "2", "3"));
}

void expectTransition(const ExcitedTransition& t, int state, const std::string& orbitals,
                      double target) {
    EXPECT_EQ(t.stateText, std::to_string(state));
    EXPECT_EQ(t.state, state);
    EXPECT_EQ(t.orbitals, orbitals);
    EXPECT_EQ(t.target, target);
}

TEST(ExcitedStates, HandWrittenPrintouts) {
    ExcitedStates none = readText(estadosexcitados, " SCF Done\n");
    ASSERT_EQ(none.states.size(), 1u);
    EXPECT_EQ(none.states[0], ExcitedState{});
    ASSERT_EQ(none.transitions.size(), 1u);
    EXPECT_EQ(none.transitions[0].orbitals, "");

    // Two printouts: only the last is read.  De-excitations are passed over; a
    // transition line too short stores what it has; the rotatory strengths
    // come from the R(length) table, missing ones are 0.
    ExcitedStates e = readText(
        estadosexcitados,
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

const char* kHeading =
    "                     E (Thermal)             CV                S\n"
    "                      KCal/Mol        Cal/Mol-Kelvin    Cal/Mol-Kelvin\n";

TEST(Thermochemistry, HandWrittenTables) {
    // No table: one line of NaN, written as missing.
    const ThermoTable none = readText(termoquimica, " no table\n");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(std::isnan(none[0][0]) && std::isnan(none[0][2]));

    // Five standard lines and two vibration lines; the last table of the text
    // wins; a value that is not a number is 0.
    ThermoTable t = readText(
        termoquimica, std::string(kHeading) +
                          " Total                    9.0                9.0                9.0\n"
                          "                       Q            Log10(Q)             Ln(Q)\n" +
                          kHeading +
                          " Total                   15.309              5.973             45.518\n"
                          " Electronic               0.000              0.000              0.000\n"
                          " Translational            0.889              2.981             34.608\n"
                          " Rotational               0.889              n/a               10.908\n"
                          " Vibrational             13.532              0.011              0.001\n"
                          " Vibration     1          0.596              1.976              4.710\n"
                          " Vibration     2          0.601              1.960\n"
                          "                       Q            Log10(Q)             Ln(Q)\n");
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0], (ThermoLine{15.309, 5.973, 45.518}));
    EXPECT_EQ(t[1], (ThermoLine{0, 0, 0}));
    EXPECT_EQ(t[3], (ThermoLine{0.889, 0, 10.908}));
    EXPECT_EQ(t[5], (ThermoLine{0.596, 1.976, 4.710}));
    EXPECT_EQ(t[6], (ThermoLine{0.601, 1.960, 0}));

    // A table with no line between the headings keeps the starting value.
    EXPECT_EQ(readText(termoquimica, " Cal/Mol-Kelvin   Q  Log10(Q)\n").size(), 1u);
}

TEST(Route, WholeWordsNameMethodBasisAndKeywords) {
    for (const auto& c : testing::caseRecords("core/extract/route_cases.tsv")) {
        SCOPED_TRACE(c.source + ": " + c["route"]);
        const RouteAnalysis r = analizarruta(c["route"]);
        std::string keywords;
        for (const auto& [name, options] : r.keywords)
            keywords += (keywords.empty() ? "" : " ") + name;
        EXPECT_EQ(r.method, c["method"]);
        EXPECT_EQ(r.basis, c["basis"]);
        EXPECT_EQ(keywords, c["keywords"]);
    }
    for (const auto& c : testing::caseRecords("core/extract/energy_key_cases.tsv"))
        EXPECT_EQ(methodEnergyKey(c["method"]), c["energy_key"]) << c.source;
}

TEST(Route, OniomAndKeywordOptions) {
    const RouteAnalysis r =
        analizarruta("#p oniom(UB3LYP/6-31G(d):upm6) opt=(ts,calcfc) SCRF=Check");
    EXPECT_TRUE(r.oniom);
    EXPECT_EQ(r.method, "");  // Gaussian's own name comes from the archive header
    ASSERT_EQ(r.keywords.size(), 2u);
    EXPECT_EQ(r.keywords[0].second, "ts,calcfc");
    EXPECT_EQ(r.keywords[1].second, "check");
    EXPECT_TRUE(r.has("scrf"));
    EXPECT_FALSE(r.has("freq"));
}

}  // namespace
}  // namespace zerlant
