#include "core/optimisation/steps.hpp"

#include "core/optimisation/steplines.hpp"

namespace zerlant {

namespace {

using namespace optimisation_detail;

// Every line the reader looks at outside a block or table holds one of these.
constexpr std::array<std::string_view, 7> kAnchors = {
    "SCF Done:",   "Step number",  "Converged?",   "Optimization completed",
    "termination", "orientation:", "Point Number:"};

// An orientation block longer than this is no block (a cut or damaged file).
constexpr std::size_t kLongestBlock = std::size_t{64} << 20;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<Orientation> StepReader::heading(std::string_view text) const {
    // "                         Standard orientation:                         "
    const std::string_view t = trimmed(text);
    for (const auto& h : orientation_detail::kHeadings)
        if (t == h.text)
            return h.orientation;
    return std::nullopt;
}

// The lines of an orientation block after its heading: a ruler, two heading
// lines, a ruler, one line per atom, a ruler.  False when the line ends the
// block early (a cut or damaged block, which gives no geometry): the line is
// then read as any other.
bool StepReader::blockLine(std::string_view text) {
    const bool isRuler = gaussian::ruler(text);
    if (!isRuler) {
        bool fits = rulers_ < 2 && blockLines_ < 4;
        if (rulers_ == 2) {
            // "      1          8           0        0.000000    0.000000    0.117790"
            gaussian::piecesOf(text, pieces_);
            fits = (pieces_.size() == 5 || pieces_.size() == 6) && gaussian::integer(pieces_[0]) &&
                   gaussian::integer(pieces_[1]) && block_.size() < kLongestBlock;
        }
        if (!fits) {
            inBlock_ = false;
            block_.clear();
            return false;
        }
    }
    ++blockLines_;
    block_.append(text);
    block_ += '\n';
    if (isRuler && ++rulers_ == 3) {
        inBlock_ = false;
        OrientationBlock block;
        block.orientation = blockKind_;
        block.atoms = readOrientationAtoms(block_);
        block_.clear();
        if (!block.atoms.empty())
            (blockKind_ == Orientation::Standard ? standard_ : input_) = std::move(block);
    }
    return true;
}

void StepReader::settle() {
    if (pending_) {
        done_.push_back(std::move(*pending_));
        pending_.reset();
    }
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
    if (inBlock_ && blockLine(text))
        return;
    if (criteriaLeft_ > 0) {
        --criteriaLeft_;
        if (pending_ && pending_->criteria && readCriterion(text, *pending_->criteria)) {
            pending_->converged = pending_->converged || allMet(*pending_->criteria);
            return;
        }
        criteriaLeft_ = 0;  // the table ended early
    }
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
    if (const auto kind = heading(text)) {
        settle();  // the next step's geometry begins
        inBlock_ = true;
        blockKind_ = *kind;
        block_.assign("\n");  // the rest of the heading line, as the block reader expects
        blockLines_ = 0;
        rulers_ = 0;
    }
}

std::vector<GeometryStep> StepReader::feed(std::string_view bytes) {
    lines_.feed(
        bytes, kAnchors, [this] { return inBlock_ || criteriaLeft_ > 0; },
        [this](std::string_view text) { line(text); });
    std::vector<GeometryStep> out = std::move(done_);
    done_.clear();
    return out;
}

std::vector<GeometryStep> StepReader::finish() {
    lines_.finish([this](std::string_view text) { line(text); });
    settle();
    std::vector<GeometryStep> out = std::move(done_);
    done_.clear();
    return out;
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
