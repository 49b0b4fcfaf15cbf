// Fuzz target: a Gaussian output through the readers of the next-job and
// convergence tools: the job echo, the optimisation steps (whole and in two
// pieces, which must agree), and the next input with every fix.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/gaussian/jobecho.hpp"
#include "core/nextjob/nextjob.hpp"
#include "core/optimisation/convergence.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".log");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)readJobEcho(bytes);

    ConvergenceReader whole;
    whole.feed(bytes);
    ConvergenceReader split;
    split.feed(bytes.substr(0, size / 3));
    split.feed(bytes.substr(size / 3));
    if (whole.track().steps.size() != split.track().steps.size())
        std::abort();

    file.write(data, size);
    NextJobOptions options;
    options.fix = true;
    options.bothDirections = true;
    (void)nextJobOf(file.path(), options);
    return 0;
}
