// The text procedures on real Gaussian 03, 09 and 16 outputs, read normalised
// in memory.  The expected values were read from the files by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "core/files/filetext.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"
#include "testsupport.hpp"

using namespace zerlant;

// Every row of realdata_cases.tsv: the archive entry's sections, "|HF=",
// "|Dipole=" and the first and last CPU time of a real output.
TEST(RealOutput, ArchiveEntrySectionsAndCpuTime) {
    const auto dataDir = zerlant::testing::dataDir();
    if (dataDir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    for (const auto& e : zerlant::testing::caseRecords("core/files/realdata_cases.tsv")) {
        SCOPED_TRACE(e.source);
        const auto path = dataDir / e["file"];
        if (!std::filesystem::exists(path))
            continue;
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
        EXPECT_EQ(header[6], e["formula"]);
        EXPECT_EQ(sections[1], e["route"]);
        auto molecule = splitText(sections[3], "|");
        EXPECT_EQ(molecule[0], e["charge_multiplicity"]);
        auto cm = splitText(molecule[0], ",");
        ASSERT_EQ(cm.size(), 2u);
        EXPECT_EQ(toInt16(cm[0]), std::int16_t(leadingNumber(e["charge_multiplicity"])));

        FoldedText archive{std::string(entry)};
        EXPECT_EQ(textoentre(archive, "|Version=", "|", false).str(), e["version"]);
        const std::string hf = textoentre(archive, "|HF=", "|", false).str();
        EXPECT_EQ(hf.substr(0, e["hf_start"].size()), e["hf_start"]);
        if (hf.find(',') == std::string::npos) {
            EXPECT_DOUBLE_EQ(numeroentre(archive, "|HF=", "|", false),
                             leadingNumber(e["hf_start"]));
        }
        const std::string dipole = textoentre(archive, "|Dipole=", "|", false).str();
        EXPECT_EQ(dipole.empty(), e["dipole"].empty());
        auto d = leercomponentes(dipole, 3);
        std::istringstream want(e["dipole"]);
        for (int i = 0; i < 3; ++i) {
            double x = 0;
            want >> x;
            EXPECT_DOUBLE_EQ(d[i], x) << "dipole component " << i;
        }
        EXPECT_EQ(tiempocpu(textoentre(*text, "Job cpu time", "\r\n", false), '.'), e["first_cpu"]);
        EXPECT_EQ(tiempocpu(textoentre(*text, "Job cpu time", "\r\n", true), '.'), e["last_cpu"]);
    }
}

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
