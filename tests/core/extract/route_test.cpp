#include "core/extract/route.hpp"

#include <gtest/gtest.h>

#include <string>

namespace zerlant {
namespace {

struct RouteCase {
    const char* route;
    const char* method;
    const char* basis;
    const char* keywords;  // blank-separated
};

void expectRoute(const RouteCase& c) {
    SCOPED_TRACE(c.route);
    const RouteAnalysis r = analizarruta(c.route);
    std::string keywords;
    for (const auto& [name, options] : r.keywords) keywords += (keywords.empty() ? "" : " ") + name;
    EXPECT_EQ(r.method, c.method);
    EXPECT_EQ(r.basis, c.basis);
    EXPECT_EQ(keywords, c.keywords);
}

TEST(Route, WholeWordsNameMethodBasisAndKeywords) {
    const RouteCase cases[] = {
        {"#P B3LYP/6-31G(d) Opt Freq", "b3lyp", "6-31G(d)", "opt freq"},
        {"#P CCSD(T)/cc-pVDZ", "ccsd(t)", "cc-pVDZ", ""},
        {"# UB3LYP/6-31G(d)", "ub3lyp", "6-31G(d)", ""},
        {"# cam-b3lyp/6-311+G(d,p)", "cam-b3lyp", "6-311+G(d,p)", ""},
        // a correlation-consistent basis is no method "cc"
        {"#P MP2/aug-cc-pVTZ", "mp2", "aug-cc-pVTZ", ""},
        {"# CBS-QB3", "cbs-qb3", "", ""},
        {"#P HF/STO-3G SCRF=(Solvent=Water)", "hf", "STO-3G", "scrf"},
        // options in parentheses stay with their word, blanks and all
        {"# opt=(calcfc, ts, noeigen) freq=noraman m062x/def2TZVP", "m062x", "def2TZVP",
         "opt freq"},
        // "hf" inside hirshfeld and "cc" inside calcfc are no methods
        {"# m062x def2tzvp scrf=(smd,solvent=n,n-DiMethylFormamide) pop=hirshfeld", "m062x",
         "def2tzvp", "scrf"},
        {"#P opt=(calcfc, noeigentest, tight) g4 scf=(tight, direct) nosymm", "g4", "", "opt"},
        // the triples of CCSD(T,T1Diag,...) make it CCSD(T); MP4's options name it
        {"# SCRF=(Solvent=Water) geom=check CCSD(T,T1Diag,Conver=6)/6-31+G(d)", "ccsd(t)",
         "6-31+G(d)", "geom scrf"},
        {"#p MP4(SDQ)/STO-3G", "mp4(sdq)", "STO-3G", ""},
        {"# uccsd(t,full)/3-21g", "uccsd(t)", "3-21g", ""},
        {"#p b2plyp/3-21g geom=connectivity", "b2plyp", "3-21g", "geom"},
        {"#p EOMCCSD=(nstates=10, root=1) STO-3G", "eomccsd", "STO-3G", ""},
        {"# pbe1pbe/Def2SVP scf=tight nmr", "pbe1pbe", "Def2SVP", "nmr"},
        // no method word: the caller takes Gaussian's own (HF) from the archive
        {"#P STO-3G SCF(MAXCYCLE=500) FREQ", "", "STO-3G", "freq"},
        // keywords are whole words: optcyc is no opt, td( is td, stable=opt no opt
        {"# G3 NOSYM OPTCYC=100", "g3", "", ""},
        {"# b3lyp guess=read geom=allcheck td(nstates=5)", "b3lyp", "", "td guess geom"},
        {"# stable=opt ub3lyp/6-31g", "ub3lyp", "6-31g", "stable"},
        {"#P ROHF/6-31G", "rohf", "6-31G", ""},
        {"#P QCISD(TQ)/6-31G", "qcisd(tq)", "6-31G", ""},
        {"# CIS(D,NStates=5)/STO-3G", "cis", "STO-3G", ""},
        {"", "", "", ""},
    };
    for (const RouteCase& c : cases) expectRoute(c);
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

TEST(Route, MethodEnergyKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"mp4", "MP4SDTQ"},
        {"mp4(sdq)", "MP4SDQ"},
        {"cis", "MP2"},
        {"qcisd(tq)", "QCISD(T)"},
        // restricted / unrestricted variants are stored under the bare name
        {"romp4", "MP4SDTQ"},
        {"ub3lyp", "B3LYP"},
        {"uccsd(t)", "CCSD(T)"},
        {"rohf", "HF"},
        // "uff" is a method of its own, no unrestricted "ff"
        {"uff", "UFF"},
        // double hybrids are stored under MP2, composites under their short name
        {"b2plyp", "MP2"},
        {"cbs-qb3", "CBSQB3"},
        {"", ""}};
    for (const auto& [method, key] : cases) EXPECT_EQ(methodEnergyKey(method), key) << method;
}

}  // namespace
}  // namespace zerlant
