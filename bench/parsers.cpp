// Time of each multi-valued parser of the Extract tool on one large output.
//
// A real output is repeated in memory until the text reaches the target size
// (an optimisation with frequencies whose steps repeat), normalised and
// folded once, then every parser runs once over the whole text, as the
// extraction calls them.  A parser whose anchor is missing pays a whole pass
// over the text; the figures show which ones do.
//
//   bench_parsers [SOURCE.log [MEGABYTES]]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/extract/excitedstates.hpp"
#include "core/extract/frequencies.hpp"
#include "core/extract/geometry.hpp"
#include "core/extract/mulliken.hpp"
#include "core/extract/orbitals.hpp"
#include "core/extract/thermochemistry.hpp"
#include "core/files/filetext.hpp"

namespace {

using Clock = std::chrono::steady_clock;

template <typename F>
void timed(const char* name, double megabytes, F&& run) {
    auto start = Clock::now();
    std::size_t count = run();
    double s = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-22s %9.1f ms %10.0f MB/s   %zu entries\n", name, s * 1e3, megabytes / s, count);
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    fs::path source = argc > 1
                          ? fs::path(argv[1])
                          : fs::path(ZERLANT_SHARED_DATA) / "goodvibes_g16_Aminoxylation_TS1_R.log";
    double target = argc > 2 ? std::atof(argv[2]) : 300.0;
    auto bytes = zerlant::readFileBytes(source.string());
    if (!bytes.ok() || bytes->empty()) {
        std::fprintf(stderr, "cannot read %s\n", source.string().c_str());
        return 1;
    }
    std::string big;
    const std::size_t wanted = static_cast<std::size_t>(target * 1e6);
    big.reserve(wanted + bytes->size());
    while (big.size() < wanted) big += *bytes;
    zerlant::FoldedText text(zerlant::normalisedText(big));
    big = std::string();
    const double mb = static_cast<double>(text.size()) / 1e6;
    const zerlant::TextRef ref = text.ref();
    std::printf("%s repeated to %.0f MB\n", source.filename().string().c_str(), mb);

    timed("energiasorbitales", mb, [&] { return zerlant::energiasorbitales(ref).energies.size(); });
    timed("cargasmulliken", mb, [&] {
        zerlant::MullikenCharges m;
        zerlant::cargasmulliken(ref, m);
        return m.symbols.size();
    });
    timed("geometriaoptimizada", mb,
          [&] { return zerlant::geometriaoptimizada(ref, std::vector<std::string>{}).size(); });
    timed("frecuencias", mb, [&] { return zerlant::frecuencias(ref).size(); });
    timed("termoquimica", mb, [&] { return zerlant::termoquimica(ref).size(); });
    timed("estadosexcitados", mb, [&] { return zerlant::estadosexcitados(ref).states.size(); });
    return 0;
}
