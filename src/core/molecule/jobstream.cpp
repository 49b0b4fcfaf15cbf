#include "core/molecule/jobstream.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "core/files/openfile.hpp"
#include "core/gaussian/lines.hpp"

namespace zerlant::molecule {

namespace {

constexpr std::string_view kTableHeading = "Threshold  Converged?";
constexpr std::string_view kModesHeading = "and normal coordinates:";
// A coordinate table never has this many lines: the block is broken.
constexpr int kLongestBlock = 1'000'000;
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kLongestModes = 64u << 20;

}  // namespace

const std::vector<CartesianAtom>& GeometryStream::latest() const {
    return anyStandard_ ? lastStandard_ : lastInput_;
}

void GeometryStream::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        if (end == std::string_view::npos) {
            partial_.append(
                bytes.substr(0, kLongestLine - std::min(kLongestLine, partial_.size())));
            return;
        }
        if (partial_.empty()) {
            line(bytes.substr(0, end));
        } else {
            partial_.append(bytes.substr(
                0, std::min(end, kLongestLine - std::min(kLongestLine, partial_.size()))));
            line(partial_);
            partial_.clear();
        }
        bytes.remove_prefix(end + 1);
    }
}

void GeometryStream::line(std::string_view text) {
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    if (inBlock_) {
        block_.append(text).push_back('\n');
        ++blockLines_;
        if (gaussian::ruler(text)) {
            if (++rulers_ == 3)
                endBlock();
        } else if (rulers_ == 2) {
            ++rows_;
        } else if (blockLines_ > 4) {
            // Two heading lines between the first two rulers, no more.
            damaged_ = true;
            inBlock_ = false;
        }
        if (inBlock_ && blockLines_ > kLongestBlock) {
            damaged_ = true;
            inBlock_ = false;
        }
        return;
    }
    // Every heading below ends in ':' or '?': the lines of numbers that make
    // most of a file are passed over after one look.
    const bool mayBeHeading =
        text.find(':') != std::string_view::npos || text.find('?') != std::string_view::npos;
    for (const auto& heading : orientation_detail::kHeadings) {
        if (mayBeHeading && text.find(heading.text) != std::string_view::npos) {
            // A new table: one left open before is broken off.
            inBlock_ = true;
            blockKind_ = heading.orientation;
            block_.clear();
            block_.push_back('\n');  // the rest of the heading line
            rulers_ = rows_ = blockLines_ = 0;
            inModes_ = false;
            return;
        }
    }
    if (text.starts_with(" Normal termination") || text.starts_with(" Error termination")) {
        ended_ = true;
        return;
    }
    if (ended_ && (text.starts_with(" Link1:") ||
                   text.find("Entering Gaussian System") != std::string_view::npos))
        ended_ = false;
    if (mayBeHeading && text.find(kTableHeading) != std::string_view::npos) {
        stepBoundary();
        inModes_ = false;
        return;
    }
    if (mayBeHeading && text.find(kModesHeading) != std::string_view::npos) {
        previousModes_ = std::move(modes_);
        modes_.assign(1, '\n');  // the rest of the heading line
        inModes_ = true;
        return;
    }
    if (inModes_) {
        // "                    -------------------"
        // "                    - Thermochemistry -"
        if (text.find("- Thermochemistry -") != std::string_view::npos ||
            modes_.size() > kLongestModes)
            inModes_ = false;
        else
            modes_.append(text).push_back('\n');
    }
}

void GeometryStream::endBlock() {
    inBlock_ = false;
    std::vector<CartesianAtom> atoms = readOrientationAtoms(block_);
    block_.clear();
    if (atoms.empty() || static_cast<int>(atoms.size()) != rows_) {
        damaged_ = true;
        return;
    }
    ++geometries_;
    if (blockKind_ == Orientation::Standard) {
        lastStandard_ = std::move(atoms);
        standardSinceStep_ = anyStandard_ = true;
    } else {
        lastInput_ = std::move(atoms);
        inputSinceStep_ = true;
    }
}

void GeometryStream::stepBoundary() {
    if (standardSinceStep_)
        steps_.push_back(lastStandard_);
    else if (inputSinceStep_)
        steps_.push_back(lastInput_);
    else
        steps_.push_back(latest());  // none printed: the step keeps the last one
    standardSinceStep_ = inputSinceStep_ = false;
}

std::optional<NormalModes> GeometryStream::normalModes() const {
    if (modes_.empty())
        return std::nullopt;
    NormalModes modes = readNormalModes(modes_);
    if (!previousModes_.empty())
        takePreciseDisplacements(modes, previousModes_);
    return modes;
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
        convergence_.feed(piece);
        consumed_ += static_cast<std::uint64_t>(n);
        left -= static_cast<std::uint64_t>(n);
        changed_ = true;
    }
    if (state_ == State::Reading && geometry_.ended())
        state_ = State::Ended;
    return success();
}

}  // namespace zerlant::molecule
