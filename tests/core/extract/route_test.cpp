#include "core/extract/route.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

struct RouteCase {
    const char* route;
    const char* method;
    const char* basis;
    const char* keywords;
    const char* leftover;
};

void expectRoute(const RouteCase& c) {
    SCOPED_TRACE(c.route);
    RouteAnalysis r = analizarruta(c.route);
    EXPECT_EQ(r.method, c.method);
    EXPECT_EQ(r.basis, c.basis);
    EXPECT_EQ(r.keywords, c.keywords);
    EXPECT_EQ(r.route, c.leftover);
}

TEST(Route, WholeWordsNameMethodBasisAndKeywords) {
    const RouteCase cases[] = {
        {"#P B3LYP/6-31G(d) Opt Freq", "b3lyp", "6-31G(d)", "opt freq", ""},
        {"#P CCSD(T)/cc-pVDZ", "ccsd(t)", "cc-pVDZ", "", ""},
        {"# UB3LYP/6-31G(d)", "ub3lyp", "6-31G(d)", "", ""},
        {"# cam-b3lyp/6-311+G(d,p)", "cam-b3lyp", "6-311+G(d,p)", "", ""},
        // a correlation-consistent basis is no method "cc"
        {"#P MP2/aug-cc-pVTZ", "mp2", "aug-cc-pVTZ", "", ""},
        {"# CBS-QB3", "cbs-qb3", "", "", ""},
        {"#P HF/STO-3G SCRF=(Solvent=Water)", "hf", "STO-3G", "scrf", ""},
        // options in parentheses stay with their word, blanks and all
        {"# opt=(calcfc, ts, noeigen) freq=noraman m062x/def2TZVP", "m062x", "def2TZVP", "opt freq",
         ""},
        // "hf" inside hirshfeld and "cc" inside calcfc are no methods
        {"# m062x def2tzvp scrf=(smd,solvent=n,n-DiMethylFormamide) pop=hirshfeld", "m062x",
         "def2tzvp", "scrf", "pop=hirshfeld"},
        {"#P opt=(calcfc, noeigentest, tight) g4 scf=(tight, direct) nosymm", "g4", "", "opt",
         "scf=(tight, direct) nosymm"},
        // the triples of CCSD(T,T1Diag,...) make it CCSD(T); MP4's options name it
        {"# SCRF=(Solvent=Water) geom=check CCSD(T,T1Diag,Conver=6)/6-31+G(d)", "ccsd(t)",
         "6-31+G(d)", "geom scrf", ""},
        {"#p MP4(SDQ)/STO-3G", "mp4(sdq)", "STO-3G", "", ""},
        {"# uccsd(t,full)/3-21g", "uccsd(t)", "3-21g", "", ""},
        {"#p b2plyp/3-21g geom=connectivity", "b2plyp", "3-21g", "geom", ""},
        {"#p EOMCCSD=(nstates=10, root=1) STO-3G", "eomccsd", "STO-3G", "", ""},
        {"# pbe1pbe/Def2SVP scf=tight nmr", "pbe1pbe", "Def2SVP", "nmr", "scf=tight"},
        // no method word: the caller takes Gaussian's own (HF) from the archive
        {"#P STO-3G SCF(MAXCYCLE=500) FREQ", "", "STO-3G", "freq", "SCF(MAXCYCLE=500)"},
        // keywords are whole words: optcyc is no opt, td( is td, stable=opt no opt
        {"# G3 NOSYM OPTCYC=100", "g3", "", "", "NOSYM OPTCYC=100"},
        {"# b3lyp guess=read geom=allcheck td(nstates=5)", "b3lyp", "", "td guess geom", ""},
        {"# stable=opt ub3lyp/6-31g", "ub3lyp", "6-31g", "stable", ""},
        {"", "", "", "", ""},
    };
    for (const RouteCase& c : cases) expectRoute(c);
}

TEST(Route, OniomIsFlaggedForTheArchiveHeaderToName) {
    RouteAnalysis r = analizarruta("#p oniom(UB3LYP/6-31G(d):upm6) opt geom=allcheck");
    EXPECT_TRUE(r.oniom);
    EXPECT_EQ(r.keywords, "opt geom");
}

TEST(Route, NombremetodoLastMatchWins) {
    EXPECT_EQ(nombremetodo("#P ROHF/6-31G"), "rohf");
    EXPECT_EQ(nombremetodo("#P QCISD(TQ)/6-31G"), "qcisd(tq)");
    EXPECT_EQ(nombremetodo("#p MP4(SDQ)/STO-3G"), "mp4(sdq)");
    EXPECT_EQ(nombremetodo("# CIS(D,NStates=5)"), "cis");
    EXPECT_EQ(nombremetodo(""), "");
}

TEST(Route, QuitarpalabrasRebuildsWithSingleBlanks) {
    EXPECT_EQ(quitarpalabras("  #P  Opt=(CalcFC,TS)   B3LYP  ", "opt"), "P B3LYP");
    EXPECT_EQ(quitarpalabras("#P OPT Freq B3LYP", "opt freq"), "P B3LYP");
    // no words: only trimmed, blanks collapsed and "#" removed
    EXPECT_EQ(quitarpalabras(" #P  B3LYP #SP ", ""), "P B3LYP SP");
    EXPECT_EQ(quitarpalabras(" #P  B3LYP ", "   "), "P B3LYP");
    EXPECT_EQ(quitarpalabras("", "opt"), "");
    EXPECT_EQ(quitarpalabras("Opt Freq", "o"), "Freq");
}

TEST(Route, NombrebaseLatestMarkerThenLatestPiece) {
    // GEN precedes 6- in the marker list, so the 6- piece wins
    EXPECT_EQ(nombrebase("6-31G(d) GEN"), "6-31G(d)");
    EXPECT_EQ(nombrebase("GEN 6-31G(d)"), "6-31G(d)");
    // STO- then 3-: the 3- piece wins
    EXPECT_EQ(nombrebase("3-21G STO-3G"), "3-21G");
    // one marker, two pieces: the later piece
    EXPECT_EQ(nombrebase("6-31G 6-311G"), "6-311G");
    EXPECT_EQ(nombrebase("  def2SVP  "), "def2SVP");
    EXPECT_EQ(nombrebase("P LanL2DZ Test"), "LanL2DZ");
    EXPECT_EQ(nombrebase("P Test"), "");
    EXPECT_EQ(nombrebase(""), "");
}

TEST(Route, MethodEnergyKeys) {
    EXPECT_EQ(methodEnergyKey("mp4"), "MP4SDTQ");
    EXPECT_EQ(methodEnergyKey("cis"), "MP2");
    EXPECT_EQ(methodEnergyKey("qcisd(tq)"), "QCISD(T)");
    // restricted / unrestricted variants are stored under the bare name;
    // list A words are no prefixed variants
    EXPECT_EQ(methodEnergyKey("romp4"), "MP4SDTQ");
    EXPECT_EQ(methodEnergyKey("ub3lyp"), "B3LYP");
    EXPECT_EQ(methodEnergyKey("uff"), "UFF");
    // double hybrids are stored under MP2, composites under their short name
    EXPECT_EQ(methodEnergyKey("b2plyp"), "MP2");
    EXPECT_EQ(methodEnergyKey("cbs-qb3"), "CBSQB3");
    EXPECT_EQ(methodEnergyKey("uccsd(t)"), "CCSD(T)");
    EXPECT_EQ(methodEnergyKey(""), "");
}

// The keys themselves are read from real archives below.
TEST(Route, EnergiametodoFallsBackToHf) {
    EXPECT_DOUBLE_EQ(energiametodo("|HF=-1.5|MP2=-1.6|", "ump2"), -1.6);
    EXPECT_DOUBLE_EQ(energiametodo("|HF=-1.5|MP2=-1.6|", "b3lyp"), -1.5);
    // a key whose value is 0 also falls back to HF
    EXPECT_DOUBLE_EQ(energiametodo("|HF=-1.5|MP2=0|", "mp2"), -1.5);
    // a scan stores a list under HF: not a number, 0
    EXPECT_DOUBLE_EQ(energiametodo("|HF=-1.5,-1.6,-1.7|RMSD=1|", "b3lyp"), 0.0);
    EXPECT_DOUBLE_EQ(energiametodo("", "mp2"), 0.0);
}

}  // namespace
}  // namespace zerlant
