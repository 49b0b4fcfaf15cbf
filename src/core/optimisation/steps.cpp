#include "core/optimisation/steps.hpp"

#include "core/gaussian/anchors.hpp"
#include "core/optimisation/steplines.hpp"

namespace zerlant {

namespace {

using namespace optimisation_detail;

// Every line the reader looks at outside a block or table holds one of these.
constexpr std::array<std::string_view, 7> kAnchors = {gaussian::anchor::kScfDone,
                                                      "Step number",
                                                      "Converged?",
                                                      "Optimization completed",
                                                      "termination",
                                                      "orientation:",
                                                      "Point Number:"};

}  // namespace

StepReader::StepReader() : anchors_(kAnchors.begin(), kAnchors.end()) {}

StepReader::StepReader(StepObserver& observer, std::span<const std::string_view> anchors)
    : StepReader() {
    observer_ = &observer;
    anchors_.insert(anchors_.end(), anchors.begin(), anchors.end());
}

// The lines of an orientation block after its heading.  False when the line
// ends the block early (a cut or damaged block, which gives no geometry): the
// line is then read as any other.
bool StepReader::blockLine(std::string_view text) {
    switch (block_.line(text)) {
        case OrientationLines::Read::Taken:
            return true;
        case OrientationLines::Read::Broken:
            if (observer_)
                observer_->orientation(nullptr);
            return false;
        case OrientationLines::Read::Whole:
            break;
    }
    OrientationBlock& block = block_.block();
    if (observer_)
        observer_->orientation(&block);
    (block.orientation == Orientation::Standard ? standard_ : input_) = std::move(block);
    return true;
}

void StepReader::settle() {
    if (!pending_)
        return;
    if (observer_)
        observer_->step(std::move(*pending_));
    else
        done_.push_back(std::move(*pending_));
    pending_.reset();
}

// A new step from what was printed since the last one.
void StepReader::startStep() {
    settle();
    GeometryStep step;
    step.number = ++count_;
    step.stepInRun = stepInRun_;
    step.scanPoint = scanPoint_;
    step.energy = energy_;
    std::optional<OrientationBlock>& geometry = standard_ ? standard_ : input_;
    if (geometry) {
        step.orientation = geometry->orientation;
        step.atoms = std::move(geometry->atoms);
    }
    standard_.reset();
    input_.reset();
    energy_.reset();
    stepInRun_.reset();
    pending_ = std::move(step);
}

void StepReader::line(std::string_view text) {
    if (block_.open() && blockLine(text))
        return;
    if (criteriaLeft_ > 0) {
        --criteriaLeft_;
        if (pending_ && pending_->criteria && readCriterion(text, *pending_->criteria)) {
            pending_->converged = pending_->converged || allMet(*pending_->criteria);
            return;
        }
        criteriaLeft_ = 0;  // the table ended early
    }
    stepLine(text);
    if (observer_)
        observer_->line(text);
}

void StepReader::stepLine(std::string_view text) {
    if (startsWith(text, " SCF Done:")) {
        if (text.find('=') != std::string_view::npos)
            energy_ = scfEnergy(text);
        return;
    }
    if (startsWith(text, " Step number")) {
        stepNumbers(text, stepInRun_, scanPoint_);
        return;
    }
    if (startsWith(text, kTableHeading)) {
        startStep();
        pending_->criteria.emplace();
        criteriaLeft_ = 4;
        return;
    }
    if (optimisationCompleted(text)) {
        completed_ = true;
        if (pending_)
            pending_->converged = true;
        settle();
        return;
    }
    if (termination(text)) {
        terminated_ = true;
        settle();
        return;
    }
    if (startsWith(text, " Point Number:")) {
        // " Point Number:   1          Path Number:   1"
        const auto w = words(text);
        std::optional<int> point = w.size() > 2 ? wholeNumber(w[2]) : std::nullopt;
        std::optional<int> path;
        for (std::size_t i = 0; i + 2 < w.size(); ++i)
            if (w[i] == "Path" && w[i + 1] == "Number:")
                path = wholeNumber(w[i + 2]);
        if (standard_ || input_) {
            startStep();
            pending_->ircPoint = point;
            pending_->ircPath = path;
            settle();
        } else if (pending_ && !pending_->ircPoint) {
            // The point an optimisation just reached.
            pending_->ircPoint = point;
            pending_->ircPath = path;
        }
        return;
    }
    if (const auto kind = OrientationLines::heading(text)) {
        settle();  // the next step's geometry begins
        block_.begin(*kind);
    }
}

std::vector<GeometryStep> StepReader::handBack() {
    std::vector<GeometryStep> out = std::move(done_);
    done_.clear();
    return out;
}

std::vector<GeometryStep> StepReader::feed(std::string_view bytes) {
    lines_.feed(
        bytes, anchors_,
        [this] {
            return block_.open() || criteriaLeft_ > 0 || (observer_ && observer_->everyLine());
        },
        [this](std::string_view text) { line(text); });
    return handBack();
}

std::vector<GeometryStep> StepReader::finish() {
    lines_.finish([this](std::string_view text) { line(text); });
    settle();
    return handBack();
}

OptimisationStep tableStep(const GeometryStep& step, int number) {
    OptimisationStep t;
    t.number = number;
    t.stepInRun = step.stepInRun;
    t.scanPoint = step.scanPoint;
    t.energy = step.energy;
    if (step.criteria)
        t.criteria = *step.criteria;
    t.converged = step.converged;
    return t;
}

Result<int> readSteps(const std::string& path, const std::function<void(GeometryStep&)>& onStep) {
    StepReader reader;
    auto hand = [&](std::vector<GeometryStep> steps) {
        for (GeometryStep& s : steps) onStep(s);
    };
    if (Status s = optimisation_detail::readInPieces(
            path, [&](std::string_view bytes) { hand(reader.feed(bytes)); });
        !s)
        return s.error();
    hand(reader.finish());
    return reader.steps();
}

}  // namespace zerlant
