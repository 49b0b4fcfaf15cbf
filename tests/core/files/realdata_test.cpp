// The text procedures on real Gaussian 03, 09 and 16 outputs, read normalised
// in memory.  The expected values were read from the files by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "core/files/filetext.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

using namespace zerlant;

namespace {

struct Expected {
    const char* file;
    const char* version;  // "|Version=" of section 4
    const char* formula;  // field 6 of section 0
    const char* route;    // section 1
    const char* chargeMultiplicity;
    const char* hf;  // the start of "|HF=" up to the next "|"
    bool hasDipole;
    double dipole[3];
    const char* firstCpu;  // tiempocpu of the first "Job cpu time" line
    const char* lastCpu;   // and of the last
};

const Expected kFiles[] = {
    {"arc_g03_H2O2.out",
     "AM64L-G03RevD.01",
     "H2O2",
     "# opt=(modredundant, calcfc, noeigentest) b3lyp/6-311+g(d,p) scf=xqc",
     "0,1",
     "-151.6020593,-151.6019978,",
     false,
     {0, 0, 0},
     "0:30:2.8",
     "0:30:2.8"},
    {"cclibdata_g03_dvb_gopt.out",
     "x86-Win32-G03RevB.04",
     "C10H10",
     "#P B3LYP/STO-3G OPT",
     "0,1",
     "-382.3082666",
     true,
     {0, 0, 0},
     "0:7:38",
     "0:7:38"},
    {"goodvibes_g09_H2O.log",
     "IA32W-G09RevA.02",
     "H2O1",
     "# opt freq b3lyp/sto-3g",
     "0,1",
     "-75.3227739",
     true,
     {0.3618582, 0.5120175, 0},
     "0:0:4",
     "0:0:2"},
    {"cclib_g09_dvb_gopt.out",
     "EM64L-G09RevD.01",
     "C10H10",
     "#p b3lyp/sto-3g opt",
     "0,1",
     "-382.3082666",
     true,
     {0, 0, 0},
     "0:0:36.8",
     "0:0:36.8"},
    {"arc_g09_scan_2D_N3H5.out",
     "EM64L-G09RevD.01",
     "H5N3",
     "#P opt=(calcfc,maxStep=5,modredundant,noeigentest) integral=(grid=ultrafine, Acc2E=12) "
     "guess=mix wb97xd/def2tzvp IOp(2/9=2000) scf=(direct,tight)",
     "0,1",
     "-167.2096966,",
     false,
     {0, 0, 0},
     "4:17:5:8.5",
     "4:17:5:8.5"},
    {"goodvibes_g16_TolS.log",
     "ES64L-G16RevB.01",
     "C7H7S1(1-)",
     "# opt=maxcycles=200 freq=noraman wb97xd/6-311+g(d,p) geom=connectivity "
     "scrf=(solvent=n,n-DiMethylAcetamide,smd)",
     "-1,1",
     "-669.2734478",
     true,
     {5.0691386, 0.0329907, 0.0076751},
     "0:45:2.5",
     "0:42:39.7"},
    {"cclib_g16_dvb_ir.out",
     "ES64L-G16RevA.03",
     "C10H10",
     "#p b3lyp/sto-3g guess=read freq=hpmodes geom=allcheck",
     "0,1",
     "-382.3082666",
     true,
     {0, 0, 0},
     "0:1:9.8",
     "0:1:9.8"},
};

}  // namespace

class RealOutput : public ::testing::TestWithParam<Expected> {};

TEST_P(RealOutput, ArchiveEntrySectionsAndCpuTime) {
    const Expected& e = GetParam();
    ZERLANT_DATA_FILE(path, e.file);
    auto text = readNormalised(path.string());
    ASSERT_TRUE(text) << text.error().describe();
    EXPECT_TRUE(contienetexto(*text, "normal termination of gaussian"));

    std::string entry = entradaarchivo(*text, true);
    ASSERT_EQ(entry.rfind("1|1|", 0), 0u);
    EXPECT_EQ(entry.find('\r'), std::string::npos);
    EXPECT_EQ(entry.substr(entry.size() - 2), "||");
    auto sections = splitText(entry, "||");
    ASSERT_GE(sections.size(), 5u);
    auto header = splitText(sections[0], "|");
    ASSERT_GT(header.size(), 6u);
    EXPECT_EQ(header[6], e.formula);
    EXPECT_EQ(sections[1], e.route);
    auto molecule = splitText(sections[3], "|");
    EXPECT_EQ(molecule[0], e.chargeMultiplicity);
    auto cm = splitText(molecule[0], ",");
    ASSERT_EQ(cm.size(), 2u);
    EXPECT_EQ(toInt16(cm[0]), std::int16_t(leadingNumber(e.chargeMultiplicity)));

    FoldedText archive{std::string(entry)};
    EXPECT_EQ(textoentre(archive, "|Version=", "|", false).str(), e.version);
    std::string hf = textoentre(archive, "|HF=", "|", false).str();
    EXPECT_EQ(hf.substr(0, std::string_view(e.hf).size()), e.hf);
    if (hf.find(',') == std::string::npos) {
        EXPECT_DOUBLE_EQ(numeroentre(archive, "|HF=", "|", false), leadingNumber(e.hf));
    }
    std::string dipole = textoentre(archive, "|Dipole=", "|", false).str();
    EXPECT_EQ(!dipole.empty(), e.hasDipole);
    auto d = leercomponentes(dipole, 3);
    for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(d[i], e.dipole[i]) << "component " << i;

    EXPECT_EQ(tiempocpu(textoentre(*text, "Job cpu time", "\r\n", false), '.'), e.firstCpu);
    EXPECT_EQ(tiempocpu(textoentre(*text, "Job cpu time", "\r\n", true), '.'), e.lastCpu);
}

INSTANTIATE_TEST_SUITE_P(Gaussian, RealOutput, ::testing::ValuesIn(kFiles), [](const auto& info) {
    std::string name = info.param.file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

TEST(RealOutputText, StandardOrientationAndFirstNumberAfterAnchors) {
    ZERLANT_DATA_FILE(path, "cclib_g09_dvb_gopt.out");
    auto text = readNormalised(path.string());
    ASSERT_TRUE(text);
    // Every LF of this LF file became CR LF.
    auto bytes = readFileBytes(path.string());
    ASSERT_TRUE(bytes);
    std::size_t lfs = std::count(bytes->begin(), bytes->end(), '\n');
    EXPECT_EQ(text->size(), bytes->size() + lfs + 2);
    // The last geometry block starts after the last "Standard orientation:".
    TextRef last = textoentre(*text, "Standard orientation:", "Rotational constants", true);
    EXPECT_TRUE(last.contains("Coordinates (Angstroms)"));
    EXPECT_EQ(last.find("Standard orientation"), TextRef::npos);
    // The last SCF energy of the optimisation is the archive's HF value.
    EXPECT_DOUBLE_EQ(primernumerotras(*text, "SCF Done:", " ", true), -382.30826658);
}
