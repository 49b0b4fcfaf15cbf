#include "core/optimisation/convergence.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

#include "core/files/openfile.hpp"
#include "core/gaussian/anchors.hpp"
#include "core/optimisation/steplines.hpp"

namespace zerlant {

namespace {

using namespace optimisation_detail;

// Every line the reader looks at holds one of these.
constexpr std::array<std::string_view, 5> kAnchors = {gaussian::anchor::kScfDone, "Step number",
                                                      "Converged?", "Optimization completed",
                                                      "termination"};

}  // namespace

void ConvergenceReader::line(std::string_view text) {
    if (criteriaLeft_ > 0) {
        --criteriaLeft_;
        OptimisationStep& step = track_.steps.back();
        if (readCriterion(text, step.criteria)) {
            step.converged = step.converged || allMet(step.criteria);
            return;
        }
        criteriaLeft_ = 0;  // the table ended early
    }
    if (startsWith(text, " SCF Done:")) {
        if (text.find('=') != std::string_view::npos) {
            energy_ = scfEnergy(text);
            energySinceStep_ = true;
        }
        return;
    }
    if (startsWith(text, " Step number")) {
        stepNumbers(text, stepInRun_, scanPoint_);
        return;
    }
    if (startsWith(text, kTableHeading)) {
        OptimisationStep step;
        step.number = static_cast<int>(track_.steps.size()) + 1;
        step.stepInRun = stepInRun_;
        step.scanPoint = scanPoint_;
        step.energy = energySinceStep_ ? energy_ : std::nullopt;
        energySinceStep_ = false;
        stepInRun_.reset();
        track_.steps.push_back(step);
        criteriaLeft_ = 4;
        return;
    }
    if (optimisationCompleted(text)) {
        track_.completed = true;
        if (!track_.steps.empty())
            track_.steps.back().converged = true;
        return;
    }
    if (termination(text))
        track_.terminated = true;
}

void ConvergenceReader::feed(std::string_view bytes) {
    lines_.feed(
        bytes, kAnchors, [this] { return criteriaLeft_ > 0; },
        [this](std::string_view text) { line(text); });
}

namespace optimisation_detail {

Status readInPieces(const std::string& path, const std::function<void(std::string_view)>& piece) {
    auto opened = openRegularFile(path);
    if (!opened)
        return opened.error();
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    for (;;) {
        const ssize_t n = ::read(opened->fd(), buffer.get(), 1 << 20);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Error{std::strerror(errno), path};
        }
        if (n == 0)
            return success();
        piece(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
    }
}

}  // namespace optimisation_detail

Result<ConvergenceTrack> readConvergence(const std::string& path) {
    ConvergenceReader reader;
    if (Status s = readInPieces(path, [&](std::string_view bytes) { reader.feed(bytes); }); !s)
        return s.error();
    return reader.track();
}

}  // namespace zerlant
