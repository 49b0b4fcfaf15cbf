#pragma once
// The anchors of a Gaussian output: the texts the readers of the parsed text
// look for, one entry each, with what the digest keeps of them (see
// core/extract/digest.hpp).  The readers take their anchor texts from here by
// name and the digest builds its patterns and blocks from these tables, so
// that a block the readers read is added here once, and the digest keeps it.
//
// In an anchor "|" stands for "|" or "\" (the normalised text turns every "\"
// into "|").  The searches ignore letter case.  Each entry quotes the Gaussian
// line it matches.

#include <string_view>

namespace zerlant::gaussian {

// A line anchor: the readers read the rest of its line (and for some the line
// after it), from its first or its last occurrence, or its first in a job step.
// The digest keeps the first and the last, and the first after every "@".
// `word`: only where it begins a word (the byte before it is no letter or
// digit), as "Tot=" that must not be the "NTot=" of a grid line.
struct LineAnchor {
    std::string_view text;
    bool word = false;
};

// How a block ends: at its end marker (the line that holds it is the block's
// last), at the first blank line after its heading line, or at its end marker,
// else at the first empty line.
enum class BlockEnd { Marker, BlankLine, MarkerOrEmptyLine };

// A block: from its heading to its end.  The readers read the last one; the
// digest keeps the last of each kind and, where `beforeEveryArchive`, the last
// before every archive entry too.  `mark`, when not empty, is a line inside the
// block that marks it: the last marked block that ended before the last block
// is kept too.
struct BlockAnchor {
    std::string_view start;
    std::string_view end;  // empty with BlockEnd::BlankLine
    BlockEnd how = BlockEnd::Marker;
    bool beforeEveryArchive = false;
    std::string_view mark = {};
};

// X(Name, text, word): the line anchors, read as gaussian::anchor::kName.
#define ZERLANT_GAUSSIAN_LINE_ANCHORS(X)                                          \
    /* " Normal termination of Gaussian 16 at Tue Nov  5 09:44:38 2019." */       \
    X(NormalTermination, "Normal termination", false)                             \
    /* " Job cpu time:       0 days  0 hours  1 minutes 50.3 seconds." */         \
    X(JobCpuTime, "Job cpu time", false)                                          \
    /* " SCF Done:  E(RB3LYP) =  -382.308266566     A.U. after   11 cycles" */    \
    X(ScfDone, "SCF Done:", false)                                                \
    /* " RSolv=   1.385" */                                                       \
    X(RSolv, "RSolv=", false)                                                     \
    /* " Total free energy in solution:  with all non electrostatic terms ..." */ \
    X(NonElectrostatic, "with all non electrostatic terms", false)                \
    /* " PCM non-electrostatic energy =        -0.0013470649 Hartrees." */        \
    X(PcmNonElectrostatic, "PCM non-electrostatic energy", false)                 \
    /* " Cavitation energy    = ..." */                                           \
    X(Cavitation, "Cavitation energy", false)                                     \
    /* " DeltaG (solv) (kcal/mol) = ..." */                                       \
    X(DeltaG, "DeltaG", false)                                                    \
    /* " Molar volume =    1010.434 bohr**3/mol ( 89.976 cm**3/mol)" */           \
    X(MolarVolume, "Molar volume", false)                                         \
    /* " Recommended a0 for SCRF calculation =  4.94 angstrom (  9.34 bohr)" */   \
    X(RecommendedA0, "Recommended a0 for SCRF calculation", false)                \
    /* " Electronic spatial extent (au):  <R**2>=            283.9604" */         \
    X(SpatialExtent, "Electronic spatial extent (au)", false)                     \
    /* "    X=   0.0000    Y=   0.0000    Z=  -2.0615  Tot=   2.0615" */          \
    X(DipoleTotal, "Tot=", true)                                                  \
    /* " Solvent              : Water, Eps=  78.355300 Eps(inf)=   1.777849" */   \
    X(Eps, "EPS=", true)

// X(Name, start, end, how, beforeEveryArchive, mark): the blocks, read as
// gaussian::anchor::kName.
#define ZERLANT_GAUSSIAN_BLOCK_ANCHORS(X)                                                        \
    /* "                         Standard orientation:" */                                       \
    /* " Rotational constants (GHZ):      4.6264911      0.6849396      0.5966127" */            \
    X(StandardOrientation, "Standard orientation:", "Rotational constants", Marker, true, "")    \
    /* "                          Input orientation:" */                                         \
    X(InputOrientation, "Input orientation:", "Rotational constants", Marker, true, "")          \
    /* "                         Z-Matrix orientation:" */                                       \
    X(ZMatrixOrientation, "Z-Matrix orientation:", "Rotational constants", Marker, true, "")     \
    /* " Mulliken atomic charges:"  ...  " Sum of Mulliken charges =   0.00000" */               \
    X(MullikenAtomicCharges, "Mulliken atomic charges:", "Sum of Mulliken", Marker, false, "")   \
    /* " Total atomic charges:" */                                                               \
    X(TotalAtomicCharges, "Total atomic charges:", "Sum of Mulliken", Marker, false, "")         \
    /* " Mulliken charges:" */                                                                   \
    X(MullikenCharges, "Mulliken charges:", "Sum of Mulliken", Marker, false, "")                \
    /* " Mulliken charges and spin densities:" */                                                \
    X(MullikenSpinDensities, "Mulliken charges and spin densities:", "Sum of Mulliken", Marker,  \
      false, "")                                                                                 \
    /* " Orbital symmetries:"  ...  " The electronic state is 1-A1." */                          \
    X(OrbitalSymmetries, "Orbital Symmetries:", "The electronic state is", Marker, false, "")    \
    /* " The electronic state is 1-A1."  ...  "   Condensed to atoms (all electrons):" */        \
    X(ElectronicState, "The electronic state is", "Condensed to atoms", Marker, false, "")       \
    /* "   Population analysis using the SCF density." */                                        \
    X(PopulationAnalysis, "Population analysis using", "Condensed to atoms", Marker, false, "")  \
    /* " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering" */           \
    /* " activities (A**4/AMU), depolarization ratios for plane and unpolarized" */              \
    /* " incident light, reduced masses (AMU), force constants (mDyne/A)," */                    \
    /* " and normal coordinates:" */                                                             \
    X(NormalModes, "and normal coordinates:", "", BlankLine, false, "")                          \
    /* The high-precision modes of freq=hpmodes, printed just before the standard */             \
    /* ones, up to the next heading; marked by " Coord Atom Element:" */                         \
    X(PreciseModes, "and normal coordinates:", "and normal coordinates:", Marker, false,         \
      "Coord Atom Element:")                                                                     \
    /* "                     E (Thermal)             CV                S" */                     \
    /* "                      KCal/Mol        Cal/Mol-Kelvin    Cal/Mol-Kelvin" */               \
    /* "                       Q            Log10(Q)             Ln(Q)" */                       \
    X(Thermochemistry, "Cal/Mol-Kelvin", "Log10(Q)", Marker, false, "")                          \
    /* " Excitation energies and oscillator strengths:"  ... */                                  \
    /* " SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=   10 ..." */           \
    X(Excitations, "Excitation energies and oscillator strengths:", "SavETr", MarkerOrEmptyLine, \
      false, "")                                                                                 \
    /* " Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)" */                            \
    /* " 1/2[<0|del|b>*<b|r|0> + (<0|r|b>*<b|del|0>)*]" */                                       \
    X(RotatoryStrengths, "Rotatory Strengths", "1/2[<0|del|b>*<b|r|0>", Marker, false, "")       \
    /* Older versions: " <0|del|b> * <b|r|0>  (Au)" */                                           \
    X(RotatoryStrengthsOlder, "Rotatory Strengths", "<0|del|b> * <b|r|0>", Marker, false, "")

namespace anchor {

#define ZERLANT_LINE_ANCHOR(name, text, word) inline constexpr std::string_view k##name = text;
ZERLANT_GAUSSIAN_LINE_ANCHORS(ZERLANT_LINE_ANCHOR)
#undef ZERLANT_LINE_ANCHOR

#define ZERLANT_BLOCK_ANCHOR(name, start, end, how, every, mark) \
    inline constexpr BlockAnchor k##name{start, end, BlockEnd::how, every, mark};
ZERLANT_GAUSSIAN_BLOCK_ANCHORS(ZERLANT_BLOCK_ANCHOR)
#undef ZERLANT_BLOCK_ANCHOR

// The archive entry: from " 1\1\GINC-NODE\FOpt\RB3LYP\6-31G(d)\C10H10\..."
// to the "@" that ends it, " ...\\@" (exact case).
inline constexpr std::string_view kArchiveStart = "1|1|";
inline constexpr std::string_view kArchiveEnd = "@";

}  // namespace anchor

// Every line anchor and every block, in the order of the tables above.
inline constexpr LineAnchor kLineAnchors[] = {
#define ZERLANT_LINE_ANCHOR(name, text, word) {text, word},
    ZERLANT_GAUSSIAN_LINE_ANCHORS(ZERLANT_LINE_ANCHOR)
#undef ZERLANT_LINE_ANCHOR
};
inline constexpr BlockAnchor kBlockAnchors[] = {
#define ZERLANT_BLOCK_ANCHOR(name, start, end, how, every, mark) \
    {start, end, BlockEnd::how, every, mark},
    ZERLANT_GAUSSIAN_BLOCK_ANCHORS(ZERLANT_BLOCK_ANCHOR)
#undef ZERLANT_BLOCK_ANCHOR
};

}  // namespace zerlant::gaussian
