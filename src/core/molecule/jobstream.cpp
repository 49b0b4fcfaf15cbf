#include "core/molecule/jobstream.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "core/files/openfile.hpp"
#include "core/gaussian/anchors.hpp"

namespace zerlant::molecule {

namespace {

// The lines the stream reads besides the step reader's (and every line
// after a termination, until the next job step begins).  Each anchor is one
// more search through the whole file.
constexpr std::string_view kModesHeading = gaussian::anchor::kNormalModes.start;
constexpr std::array<std::string_view, 1> kAnchors = {kModesHeading};

}  // namespace

GeometryStream::GeometryStream() : reader_(*this, kAnchors) {}

const std::vector<CartesianAtom>& GeometryStream::latest() const {
    return latest_;
}

void GeometryStream::feed(std::string_view bytes) {
    steps_.resize(settled_);  // the copy of the step that was waiting
    reader_.feed(bytes);
    if (const GeometryStep* waiting = reader_.waiting(); waiting && waiting->criteria) {
        GeometryStep copy = *waiting;
        step(std::move(copy));
        --settled_;
    }
}

void GeometryStream::step(GeometryStep&& step) {
    if (!step.criteria)
        return;  // an IRC point without a table of its own
    // No block is read whole between a step's table and the line that
    // completes it: the latest geometry is still the one it was printed after.
    if (step.atoms.empty())
        step.atoms = latest();
    step.number = static_cast<int>(steps_.size()) + 1;
    steps_.push_back(std::move(step));
    ++settled_;
}

void GeometryStream::orientation(const OrientationBlock* block) {
    if (!block) {
        damaged_ = true;
    } else {
        // The last block of any kind, as lastGeometry reads a whole text: a
        // step's standard orientation follows its input one.
        latest_ = block->atoms;
    }
}

void GeometryStream::line(std::string_view text) {
    if (text.starts_with(" Normal termination") || text.starts_with(" Error termination"))
        ended_ = true;
    else if (ended_ && (text.starts_with(" Link1:") ||
                        text.find("Entering Gaussian System") != std::string_view::npos))
        ended_ = false;
    if (modes_.capturing() || text.find(kModesHeading) != std::string_view::npos) {
        modesLine_.assign(text).push_back('\n');
        modes_.line(modesLine_);
    }
}

JobFollower::JobFollower(std::string path) : path_(std::move(path)) {}

Status JobFollower::poll(std::uint64_t limit) {
    changed_ = false;
    if (state_ != State::Reading)
        return success();
    auto file = openRegularFile(path_);
    if (!file) {
        if (!opened_)
            return file.error();
        state_ = State::Vanished;
        return success();
    }
    if (!opened_) {
        opened_ = true;
        device_ = file->device();
        inode_ = file->inode();
    } else if (file->device() != device_ || file->inode() != inode_) {
        state_ = State::Replaced;
        return success();
    }
    if (file->size() < consumed_) {
        state_ = State::Truncated;
        return success();
    }
    constexpr std::size_t kPiece = 1 << 20;
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    std::uint64_t left = std::min<std::uint64_t>(limit, file->size() - consumed_);
    while (left > 0) {
        const long long n = file->readAt(
            buffer.get(), static_cast<std::size_t>(std::min<std::uint64_t>(left, kPiece)),
            consumed_);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Error{std::strerror(errno), path_};
        }
        if (n == 0) {
            // Shorter than at the open: cut meanwhile.
            state_ = State::Truncated;
            break;
        }
        const std::string_view piece(buffer.get(), static_cast<std::size_t>(n));
        geometry_.feed(piece);
        consumed_ += static_cast<std::uint64_t>(n);
        left -= static_cast<std::uint64_t>(n);
        changed_ = true;
    }
    if (state_ == State::Reading && geometry_.ended())
        state_ = State::Ended;
    return success();
}

}  // namespace zerlant::molecule
