// Fuzz target: the XYZ export of a Gaussian output whose name is hostile
// bytes: valid UTF-8; per structure the atom count, one comment line, then
// that many lines of an element symbol and three numbers.

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "core/results/tidyexport.hpp"
#include "writerfuzz.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ExtractBoxes boxes;
    const std::vector<ExtractRecord> records = fuzz::recordsOf(data, size, boxes);
    std::vector<std::string> skipped;
    const std::string xyz = multiXyz(TidyResults{records}, skipped);
    fuzz::require(isValidUtf8(xyz));
    std::istringstream in(xyz);
    std::string line;
    while (std::getline(in, line)) {
        char* end = nullptr;
        const long n = std::strtol(line.c_str(), &end, 10);
        fuzz::require(*end == '\0' && n > 0);
        fuzz::require(static_cast<bool>(std::getline(in, line)));  // the comment line
        fuzz::require(line.find('\r') == std::string::npos);
        for (long i = 0; i < n; ++i) {
            fuzz::require(static_cast<bool>(std::getline(in, line)));
            std::istringstream atom(line);
            std::string symbol;
            double x, y, z;
            fuzz::require(static_cast<bool>(atom >> symbol >> x >> y >> z));
            fuzz::require(
                std::isupper(static_cast<unsigned char>(symbol[0])) && symbol.size() <= 2 &&
                (symbol.size() == 1 || std::islower(static_cast<unsigned char>(symbol[1]))));
        }
    }
    return 0;
}
