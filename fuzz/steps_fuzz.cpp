// Fuzz target: the step reader over any bytes, fed whole and in pieces whose
// sizes the input's first bytes choose: both must give the same steps (a
// file read as it grows gives what it gives read at once), every step once,
// numbered in order; the structure view's stream likewise; then each step as
// an XYZ frame and the convergence plot data of the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/molecule/jobstream.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/optimisation/steps.hpp"
#include "core/plotdata/convergenceplot.hpp"
#include "core/results/tidyexport.hpp"

using namespace zerlant;

namespace {

std::vector<GeometryStep> readAll(std::string_view bytes, std::string_view sizes) {
    StepReader reader;
    std::vector<GeometryStep> steps;
    std::size_t k = 0;
    while (!bytes.empty()) {
        const std::size_t n = sizes.empty()
                                  ? bytes.size()
                                  : 1 + static_cast<unsigned char>(sizes[k++ % sizes.size()]);
        for (GeometryStep& s : reader.feed(bytes.substr(0, n))) steps.push_back(std::move(s));
        bytes.remove_prefix(std::min(n, bytes.size()));
    }
    for (GeometryStep& s : reader.finish()) steps.push_back(std::move(s));
    if (!reader.finish().empty() || reader.steps() != static_cast<int>(steps.size()))
        std::abort();
    return steps;
}

bool same(const GeometryStep& a, const GeometryStep& b) {
    auto eq = [](const std::optional<double>& x, const std::optional<double>& y) {
        return x.has_value() == y.has_value() && (!x || *x == *y || (*x != *x && *y != *y));
    };
    if (a.number != b.number || !eq(a.energy, b.energy) || a.converged != b.converged ||
        a.orientation != b.orientation || a.atoms.size() != b.atoms.size() ||
        a.ircPoint != b.ircPoint || a.criteria.has_value() != b.criteria.has_value())
        return false;
    for (std::size_t i = 0; i < a.atoms.size(); ++i)
        if (a.atoms[i].symbol != b.atoms[i].symbol)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::string_view sizes = all.substr(0, 4);
    const std::string_view bytes = all.substr(4);

    const auto whole = readAll(bytes, {});
    const auto pieces = readAll(bytes, sizes);
    if (whole.size() != pieces.size())
        std::abort();
    for (std::size_t i = 0; i < whole.size(); ++i)
        if (whole[i].number != static_cast<int>(i) + 1 || !same(whole[i], pieces[i]))
            std::abort();
    for (const GeometryStep& s : whole) (void)xyzStructure("input.log step", s.atoms);

    // The structure view's stream, fed the same pieces: the same steps.
    molecule::GeometryStream streamWhole, streamPieces;
    streamWhole.feed(bytes);
    for (std::size_t at = 0, k = 0; at < bytes.size(); ++k) {
        const std::size_t n = 1 + static_cast<unsigned char>(sizes[k % sizes.size()]);
        streamPieces.feed(bytes.substr(at, n));
        at += n;
    }
    if (streamWhole.steps().size() != streamPieces.steps().size() ||
        streamWhole.latest().size() != streamPieces.latest().size() ||
        streamWhole.ended() != streamPieces.ended() ||
        streamWhole.damaged() != streamPieces.damaged())
        std::abort();
    for (std::size_t i = 0; i < streamWhole.steps().size(); ++i)
        if (!same(streamWhole.steps()[i], streamPieces.steps()[i]))
            std::abort();

    ConvergenceReader convergence;
    convergence.feed(bytes);
    const std::vector<plotdata::NamedTrack> tracks = {{"input.log", convergence.track()}};
    (void)plotdata::convergenceCsv(tracks);
    (void)plotdata::convergenceScene(tracks, [](int) { return std::string(); });
    return 0;
}
