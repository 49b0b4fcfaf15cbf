// Speed and memory of the Extract run on one large output file.
//
// Builds a long optimisation at run time from a real optimisation log: its
// first optimisation cycle (from the first "Standard orientation:" to the
// second) is repeated until the file reaches the target size, then the rest
// of the log follows.  The file is written to /tmp in pieces, so the
// benchmark's own memory stays small, and removed at the end.
//
//   bench_extract [SOURCE.log [MEGABYTES]]
//
// Prints the size, the time and MB/s of the whole run and of the reading step
// alone, and the peak resident memory of the process as a multiple of the
// file size.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/extract/extraction.hpp"
#include "core/files/filetext.hpp"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Processor time of the whole process (all threads, user and system): on a
// busy machine a fairer measure of the work than the wall clock.
double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

std::string message(int n) {
    return n == 131 ? std::string("N/A") : std::to_string(n);
}

}  // namespace

int main(int argc, char** argv) {
    fs::path source =
        argc > 1 ? fs::path(argv[1]) : fs::path(ZERLANT_SHARED_DATA) / "cclib_g09_dvb_gopt.out";
    const double targetMb = argc > 2 ? std::atof(argv[2]) : 300.0;

    auto bytes = zerlant::readFileBytes(source.string());
    if (!bytes) {
        std::fprintf(stderr, "bench_extract: %s\n", bytes.error().describe().c_str());
        return 1;
    }
    const std::string& text = *bytes;
    const std::size_t first = text.find("Standard orientation:");
    const std::size_t second =
        first == std::string::npos ? first : text.find("Standard orientation:", first + 1);
    if (second == std::string::npos) {
        std::fprintf(stderr, "bench_extract: %s has fewer than two optimisation cycles\n",
                     source.c_str());
        return 1;
    }

    const fs::path big = fs::temp_directory_path() /
                         ("zerlant-bench-extract-" + std::to_string(::getpid()) + ".log");
    {
        std::ofstream out(big, std::ios::binary);
        const std::string_view head(text.data(), second);
        const std::string_view cycle(text.data() + first, second - first);
        const std::string_view rest(text.data() + second, text.size() - second);
        out << head;
        std::size_t size = head.size() + rest.size();
        const auto target = static_cast<std::size_t>(targetMb * 1024 * 1024);
        while (size < target) {
            out << cycle;
            size += cycle.size();
        }
        out << rest;
        if (!out) {
            std::fprintf(stderr, "bench_extract: cannot write %s\n", big.c_str());
            return 1;
        }
    }
    bytes->clear();
    bytes->shrink_to_fit();
    const double fileMb = static_cast<double>(fs::file_size(big)) / (1024.0 * 1024.0);
    const double baseMb = peakMegabytes();

    // The reading step alone: read, normalise, fold.
    auto t0 = Clock::now();
    double c0 = cpuSeconds();
    double readSeconds = 0;
    double readCpu = 0;
    {
        auto folded = zerlant::readNormalised(big.string());
        readSeconds = seconds(t0);
        readCpu = cpuSeconds() - c0;
        if (!folded) {
            std::fprintf(stderr, "bench_extract: %s\n", folded.error().describe().c_str());
            return 1;
        }
    }

    // The whole run on the one file.
    zerlant::FileRows rows(1);
    rows.push_back({true, big.filename().string(), big.string(), {}});
    zerlant::ExtractBoxes boxes = zerlant::ExtractBoxes::initial(message);
    t0 = Clock::now();
    c0 = cpuSeconds();
    zerlant::ExtractionOutcome run = zerlant::runExtraction(rows, boxes, message, '.');
    const double runSeconds = seconds(t0);
    const double runCpu = cpuSeconds() - c0;
    const double peakMb = peakMegabytes();

    std::printf("source        %s\n", source.c_str());
    std::printf("file          %.1f MB\n", fileMb);
    std::printf("read+fold     %.3f s wall  %.0f MB/s;  %.3f s cpu  %.0f MB/s\n", readSeconds,
                fileMb / readSeconds, readCpu, fileMb / readCpu);
    std::printf("extraction    %.3f s wall  %.0f MB/s;  %.3f s cpu  %.0f MB/s\n", runSeconds,
                fileMb / runSeconds, runCpu, fileMb / runCpu);
    std::printf("peak memory   %.0f MB  (%.2f x file size; %.0f MB before reading)\n", peakMb,
                peakMb / fileMb, baseMb);
    std::printf("row           %s | %s | %s | E=%s | E(opt)=%s | %s\n",
                run.resultTable.cell(1, 1).c_str(), run.resultTable.cell(2, 1).c_str(),
                run.resultTable.cell(3, 1).c_str(), run.resultTable.cell(6, 1).c_str(),
                run.resultTable.cell(7, 1).c_str(), run.resultTable.cell(21, 1).c_str());

    std::error_code ec;
    fs::remove(big, ec);
    return 0;
}
