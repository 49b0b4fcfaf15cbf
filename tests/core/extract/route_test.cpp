#include "core/extract/route.hpp"

#include <string>

#include "testsupport.hpp"

namespace zerlant {
namespace {

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
