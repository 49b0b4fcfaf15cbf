// Reading a very large Gaussian output normalised in memory, and searching it.
//
// Builds an output of at least 200 MB (or the size given) by repeating the
// optimisation steps of a real log: its part up to the first "Standard
// orientation:", the steps up to the last one before the first "Normal
// termination" many times, then the rest (the archive entry, "Normal
// termination").  Then, each in a fresh child
// process so that its peak memory is its own:
//   1. readNormalised, the archive entry, "Normal termination", the last
//      "Standard orientation:" block and a text that does not occur;
//   2. normalizararchivo on the same file, in place.
//
//   bench_normalise [SOURCE.log [MEGABYTES]]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"

using namespace zerlant;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double peakMegabytes() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

// The start of the line that holds the given occurrence.
std::size_t lineStart(const std::string& text, std::size_t at) {
    std::size_t nl = text.rfind('\n', at);
    return nl == std::string::npos ? 0 : nl + 1;
}

bool buildOutput(const std::string& source, const std::string& target, double megabytes,
                 std::uint64_t& size) {
    auto bytes = readFileBytes(source);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s: %s\n", source.c_str(), bytes.error().message.c_str());
        return false;
    }
    const std::string& b = *bytes;
    const std::string anchor = "Standard orientation:";
    // The steps repeated end before the first "Normal termination", so that
    // it stands only near the end of the built output.
    std::size_t first = b.find(anchor), last = b.rfind(anchor, b.find("Normal termination"));
    if (first == std::string::npos || first == last) {
        std::fprintf(stderr, "%s has fewer than two \"%s\" blocks\n", source.c_str(),
                     anchor.c_str());
        return false;
    }
    std::size_t bodyFrom = lineStart(b, first), bodyTo = lineStart(b, last);
    std::string_view head(b.data(), bodyFrom), body(b.data() + bodyFrom, bodyTo - bodyFrom),
        tail(b.data() + bodyTo, b.size() - bodyTo);
    const auto wanted = static_cast<std::uint64_t>(megabytes * 1e6);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    size = head.size() + tail.size();
    while (size < wanted) {
        out.write(body.data(), static_cast<std::streamsize>(body.size()));
        size += body.size();
    }
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    out.close();
    return static_cast<bool>(out);
}

void report(const char* what, double secs, std::uint64_t bytes) {
    std::printf("  %-44s %8.3f s  %8.0f MB/s\n", what, secs, bytes / 1e6 / secs);
}

int readAndSearch(const std::string& path, std::uint64_t size) {
    auto t0 = Clock::now();
    auto text = readNormalised(path);
    double tRead = seconds(t0);
    if (!text) {
        std::fprintf(stderr, "%s\n", text.error().describe().c_str());
        return 1;
    }
    report("readNormalised (read, normalise, fold)", tRead, size);
    const std::uint64_t n = text->size();

    t0 = Clock::now();
    std::string entry = entradaarchivo(*text, true);
    double tEntry = seconds(t0);
    std::printf("  %-44s %8.3f s  (%zu bytes, from the last 65 MB)\n",
                "archive entry (entradaarchivo, join)", tEntry, entry.size());

    t0 = Clock::now();
    bool normal = contienetexto(*text, "Normal termination");
    double tNormal = seconds(t0);
    std::size_t at = text->ref().find("Normal termination");
    report(normal ? "\"Normal termination\" (found)" : "\"Normal termination\" (absent)", tNormal,
           at == TextRef::npos ? n : at);

    t0 = Clock::now();
    TextRef block = textoentre(*text, "Standard orientation:", "Rotational constants", true);
    double tLast = seconds(t0);
    std::size_t lastAt = text->ref().rfind("Standard orientation:");
    std::printf("  %-44s %8.6f s  (%zu bytes before the end, block %zu bytes)\n",
                "last \"Standard orientation:\" (rfind)", tLast, n - lastAt, block.size());

    t0 = Clock::now();
    std::size_t none = text->ref().find("zerlant: not in any output");
    report("absent text, forward (whole text)", seconds(t0), n);
    t0 = Clock::now();
    std::size_t noneBack = text->ref().rfind("zerlant: not in any output");
    report("absent text, backward (whole text)", seconds(t0), n);
    if (none != TextRef::npos || noneBack != TextRef::npos)
        return 1;

    std::printf("  normalised text %.1f MB; peak resident memory %.0f MB (%.2f x the text)\n",
                n / 1e6, peakMegabytes(), peakMegabytes() * 1048576.0 / static_cast<double>(n));
    return 0;
}

int normaliseInPlace(const std::string& path, std::uint64_t size) {
    auto t0 = Clock::now();
    Status s = normalizararchivo(path, false);
    double t = seconds(t0);
    if (!s) {
        std::fprintf(stderr, "%s\n", s.error().describe().c_str());
        return 1;
    }
    report("normalizararchivo (two passes, fsync, rename)", t, size);
    std::printf("  peak resident memory %.0f MB\n", peakMegabytes());
    return 0;
}

int inChild(int (*step)(const std::string&, std::uint64_t), const std::string& path,
            std::uint64_t size) {
    std::fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        int rc = step(path, size);
        std::fflush(stdout);
        _exit(rc);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data =
        std::getenv("ZERLANT_DATA") ? std::getenv("ZERLANT_DATA") : ZERLANT_SHARED_DATA;
    std::string source = argc > 1 ? argv[1] : data + "/goodvibes_g16_Aminoxylation_TS1_R.log";
    double megabytes = argc > 2 ? std::atof(argv[2]) : 210.0;
    if (!std::filesystem::exists(source)) {
        std::printf("source log %s is absent; nothing measured\n", source.c_str());
        return 0;
    }
    std::string target = (std::filesystem::temp_directory_path() /
                          ("zerlant-bench-normalise-" + std::to_string(getpid()) + ".log"))
                             .string();
    std::uint64_t size = 0;
    auto t0 = Clock::now();
    if (!buildOutput(source, target, megabytes, size))
        return 1;
    std::printf("source %s\nbuilt %s: %.1f MB in %.2f s (page cache warm)\n", source.c_str(),
                target.c_str(), size / 1e6, seconds(t0));

    std::printf("reading and searching:\n");
    int rc = inChild(readAndSearch, target, size);
    std::printf("normalising in place:\n");
    rc |= inChild(normaliseInPlace, target, size);
    std::filesystem::remove(target);
    return rc;
}
