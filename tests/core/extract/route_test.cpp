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

TEST(Route, DocumentedRouteExamples) {
    const RouteCase cases[] = {
        {"#P B3LYP/6-31G(d) Opt Freq", "b3lyp", "6-31G(d)", "opt freq", "P 6-31G(d)"},
        // list C's ccsd(t) comes after ccsd and cc of list B
        {"#P CCSD(T)/cc-pVDZ", "ccsd(t)", "cc-pVDZ", "", "P cc-pVDZ"},
        {"# UB3LYP/6-31G(d)", "ub3lyp", "6-31G(d)", "", "6-31G(d)"},
        {"# cam-b3lyp/6-311+G(d,p)", "cam-b3lyp", "6-311+G(d,p)", "", "6-311+G(d,p)"},
        // cc matches inside aug-cc-pVTZ and comes after mp2: the basis goes with it
        {"#P MP2/aug-cc-pVTZ", "cc", "", "", "P MP2"},
        {"# CBS-QB3", "cbs", "", "", ""},
        // the word holding scrf goes before the method is sought
        {"#P HF/STO-3G SCRF=(Solvent=Water)", "hf", "STO-3G", "scrf", "P STO-3G"},
        // no keyword, no method: only "#" goes
        {"#P foo bar", "", "", "", "P foo bar"},
        {"", "", "", "", ""},
    };
    for (const RouteCase& c : cases) expectRoute(c);
}

TEST(Route, KeywordsAreSubstringsInListOrder) {
    EXPECT_EQ(palabrasclave("#P Freq B3LYP/6-31G(d) Opt"), "opt freq");
    // ircmax also holds irc; td is found inside longer words
    EXPECT_EQ(palabrasclave("#P IRC=(IRCMax=3) TDA"), "td irc ircmax");
    EXPECT_EQ(palabrasclave("# b3lyp guess=read geom=allcheck td(nstates=5)"), "td guess geom");
    EXPECT_EQ(palabrasclave("#P B3LYP/6-31G(d)"), "");
    EXPECT_EQ(palabrasclave(""), "");
    // every word holding a keyword leaves the route, options and all
    expectRoute({"# opt=(calcfc,ts,noeigen) freq=noraman b3lyp/3-21g", "b3lyp", "3-21g", "opt freq",
                 "3-21g"});
}

TEST(Route, NombremetodoLastMatchWins) {
    EXPECT_EQ(nombremetodo("#P ROHF/6-31G"), "rohf");
    EXPECT_EQ(nombremetodo("#P QCISD(TQ)/6-31G"), "qcisd(tq)");
    EXPECT_EQ(nombremetodo("#p MP4(SDQ)/STO-3G"), "mp4(sdq)");
    EXPECT_EQ(nombremetodo("# CIS(D,NStates=5)"), "cis");
    EXPECT_EQ(nombremetodo("#p pbe1pbe/6-31G"), "");
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

// The joined archive entries of a real file, in file order.
std::vector<std::string> archiveEntries(const std::filesystem::path& file) {
    auto text = readNormalised(file.string());
    EXPECT_TRUE(text.ok()) << file;
    std::vector<std::string> out;
    if (!text.ok())
        return out;
    TextRef t = text->ref();
    for (std::size_t at = t.findExact("1|1|"); at != TextRef::npos;
         at = t.findExact("1|1|", at + 4)) {
        std::size_t end = t.findExact("@", at);
        if (end == TextRef::npos)
            break;
        out.push_back(joinWrappedLines(t.text().substr(at, end - at)));
    }
    return out;
}

std::string routeSection(const std::string& entry) {
    auto sections = splitText(entry, "||");
    return sections.size() > 1 ? std::string(sections[1]) : std::string();
}

struct FileCase {
    const char* file;
    const char* route;  // the route section as the file holds it
    const char* method;
    const char* basis;
    const char* keywords;
    double energy;  // the method's energy as the archive holds it
};

TEST(Route, RealFilesMethodBasisAndEnergy) {
    const FileCase cases[] = {
        // Gaussian 03
        {"cclibdata_g03_water_ccsd(t).log", "#P CCSD(T)/STO-3G", "ccsd(t)", "STO-3G", "",
         -75.0177604},
        {"cclibdata_g03_water_mp4sdq.log", "#P MP4(SDQ)/STO-3G DENSITY POP=(FULL,NATURALORBITALS)",
         "mp4(sdq)", "STO-3G", "density", -75.0160137},
        {"cclibdata_g03_anthracene.log", "# OPT FREQ HF/6-31G GEOM=CONNECTIVITY", "hf", "6-31G",
         "opt freq geom", -535.8124402},
        // Gaussian 09 (the last one a Windows file with CR LF line ends)
        {"cclib_g09_water_mp2.log", "#P MP2/STO-3G Density Pop=(Full,NaturalOrbitals)", "mp2",
         "STO-3G", "density", -75.0022821},
        {"cclib_g09_water_cis.log",
         "#P CIS(50-50,NStates=5)/STO-3G Density Pop=(Full,NaturalOrbitals)", "cis", "STO-3G",
         "density", -75.0022821},
        {"goodvibes_g09_ethane_TZ.out", "#p b3lyp 6-311g(d,p) SCRF(smd,solvent=toluene)", "b3lyp",
         "6-311g(d,p)", "scrf", -79.858399},
        {"rmg_g09_UCCSDT_C_ATOM.LOG", "# uccsd(t)/3-21g geom=connectivity", "ccsd(t)", "3-21g",
         "geom", -37.5174545},
        // Gaussian 16
        {"cclib_g16_water_mp4.log", "#P MP4/STO-3G Pop=Full", "mp4", "STO-3G", "", -75.0160681},
        {"cclib_g16_water_ccsd.log", "#P CCSD/STO-3G", "ccsd", "STO-3G", "", -75.0176836},
        // CIS without an MP2 value in the archive: the HF value
        {"cclib_g16_water_cis.log",
         "#P CIS(50-50,NStates=5)/STO-3G Density Pop=(Full,NaturalOrbitals)", "cis", "STO-3G",
         "density", -74.9643288},
        {"chemsmart_g16_tddft_r1s50_gas_radical_anion.log",
         "# cam-b3lyp gen TD(singlets,nstates=50,root=1)", "cam-b3lyp", "gen", "td", -1294.3140395},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.file);
        ZERLANT_DATA_FILE(path, c.file);
        auto text = readNormalised(path.string());
        ASSERT_TRUE(text.ok());
        const std::string entry = entradaarchivo(text->ref(), true);
        ASSERT_EQ(routeSection(entry), c.route);
        RouteAnalysis r = analizarruta(routeSection(entry));
        EXPECT_EQ(r.method, c.method);
        EXPECT_EQ(r.basis, c.basis);
        EXPECT_EQ(r.keywords, c.keywords);
        EXPECT_DOUBLE_EQ(energiametodo(entry, r.method), c.energy);
    }
}

TEST(Route, RealCompositeJobQcisdStep) {
    // A G3 job writes one archive entry per step; the QCISD(T,E4T) step names
    // the method qcisd, whose energy the archive stores under QCISD.
    ZERLANT_DATA_FILE(path, "rmg_g03_ethylene_G3.log");
    const std::vector<std::string> entries = archiveEntries(path);
    ASSERT_EQ(entries.size(), 8u);
    const std::string& qci = entries[3];
    ASSERT_EQ(routeSection(qci), "#N GEOM=ALLCHECK GUESS=READ SCRF=CHECK QCISD(T,E4T)/6-31G(D)");
    RouteAnalysis r = analizarruta(routeSection(qci));
    EXPECT_EQ(r.method, "qcisd");
    EXPECT_EQ(r.basis, "6-31G(D)");
    EXPECT_EQ(r.keywords, "guess geom scrf");
    EXPECT_DOUBLE_EQ(energiametodo(qci, r.method), -78.3133012);
    EXPECT_DOUBLE_EQ(energiametodo(qci, "qcisd-t"), -78.3221191);
    EXPECT_DOUBLE_EQ(energiametodo(qci, "mp4"), -78.3197986);

    // the final entry of the composite job
    RouteAnalysis g3 = analizarruta(routeSection(entries.back()));
    EXPECT_EQ(g3.method, "g3");
    EXPECT_EQ(g3.keywords, "opt");
}

}  // namespace
}  // namespace zerlant
