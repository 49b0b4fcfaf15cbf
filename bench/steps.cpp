// Time and peak memory of reading every step's geometry of a large
// optimisation log, the way `extract --all-steps` and the window's playback
// read it: from disk, in pieces.
//
// The log is made in a temporary folder (removed at the end) by repeating
// the steps of a real optimisation (from its first orientation block to its
// last convergence table) until it reaches the target size, between the
// real file's head and tail.  The convergence reader's time on the same file
// is printed beside it.
//
//   bench_steps [SOURCE.log [MEGABYTES]]

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/files/filetext.hpp"
#include "core/molecule/jobstream.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/optimisation/steps.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// Processor time of this process so far (user and system), in seconds: the
// reader's own cost on a machine busy with other work.
double processorSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path source =
        argc > 1 ? fs::path(argv[1])
                 : fs::path(ZERLANT_SHARED_DATA) / "goodvibes_g16_Aminoxylation_TS1_R.log";
    const double target = argc > 2 ? std::atof(argv[2]) : 300.0;
    auto bytes = zerlant::readFileBytes(source.string());
    if (!bytes.ok() || bytes->empty()) {
        std::fprintf(stderr, "cannot read %s\n", source.string().c_str());
        return 1;
    }
    const std::string& text = *bytes;
    // The steps: from the line of the first orientation heading to the end
    // of the last convergence table's four lines.
    std::size_t first = text.find(" orientation:");
    std::size_t last = text.rfind("Converged?");
    if (first == std::string::npos || last == std::string::npos || last < first) {
        std::fprintf(stderr, "%s holds no optimisation step\n", source.string().c_str());
        return 1;
    }
    first = text.rfind('\n', first) + 1;
    for (int i = 0; i < 5 && last != std::string::npos; ++i) last = text.find('\n', last + 1);
    const std::string_view head(text.data(), first);
    const std::string_view steps(text.data() + first, last + 1 - first);
    const std::string_view tail(text.data() + last + 1, text.size() - last - 1);

    const fs::path dir =
        fs::temp_directory_path() / ("zerlant-bench-steps-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path big = dir / "big.log";
    std::size_t written = 0;
    {
        std::ofstream out(big, std::ios::binary);
        out.write(head.data(), static_cast<std::streamsize>(head.size()));
        const auto wanted = static_cast<std::size_t>(target * 1e6);
        for (written = head.size(); written < wanted; written += steps.size())
            out.write(steps.data(), static_cast<std::streamsize>(steps.size()));
        out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
        written += tail.size();
    }
    const double mb = static_cast<double>(written) / 1e6;
    std::printf("%s: steps repeated to %.0f MB (%s)\n", source.filename().string().c_str(), mb,
                big.string().c_str());
    const double before = peakMegabytes();

    auto start = Clock::now();
    double cpu = processorSeconds();
    std::size_t atoms = 0;
    auto n = zerlant::readSteps(big.string(),
                                [&](zerlant::GeometryStep& s) { atoms += s.atoms.size(); });
    const double stepSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double stepCpu = processorSeconds() - cpu;
    start = Clock::now();
    cpu = processorSeconds();
    auto track = zerlant::readConvergence(big.string());
    const double convergenceSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double convergenceCpu = processorSeconds() - cpu;
    // The window's playback: the file followed from its start to its end.
    start = Clock::now();
    cpu = processorSeconds();
    zerlant::molecule::JobFollower follower(big.string());
    const bool followed = static_cast<bool>(follower.poll());
    const double followSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double followCpu = processorSeconds() - cpu;
    fs::remove_all(dir);
    if (!n || !track || !followed) {
        std::fprintf(stderr, "cannot read the file made\n");
        return 1;
    }
    std::printf(
        "StepReader         %8.1f ms (%.1f ms processor) %6.0f MB/s   %d steps, %zu atoms\n",
        stepSeconds * 1e3, stepCpu * 1e3, mb / stepSeconds, *n, atoms);
    std::printf("ConvergenceReader  %8.1f ms (%.1f ms processor) %6.0f MB/s   %zu steps\n",
                convergenceSeconds * 1e3, convergenceCpu * 1e3, mb / convergenceSeconds,
                track->steps.size());
    std::printf("JobFollower        %8.1f ms (%.1f ms processor) %6.0f MB/s   %zu steps\n",
                followSeconds * 1e3, followCpu * 1e3, mb / followSeconds,
                follower.geometry().steps().size());
    std::printf("peak RSS           %8.1f MB (%.1f MB before reading; the source file is held)\n",
                peakMegabytes(), before);
    return 0;
}
