#include "core/molecule/camera.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/molecule/elements.hpp"

namespace zerlant::molecule {

namespace {

using Matrix = std::array<double, 9>;

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k) m[r * 3 + c] += a[r * 3 + k] * b[k * 3 + c];
    return m;
}

// Re-orthonormalises the rows so that many small turns never skew the view.
void orthonormalise(Matrix& m) {
    auto row = [&m](int r) { return Vec3{m[r * 3], m[r * 3 + 1], m[r * 3 + 2]}; };
    auto unit = [](Vec3 v) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return n > 0 ? Vec3{v[0] / n, v[1] / n, v[2] / n} : Vec3{1, 0, 0};
    };
    const Vec3 x = unit(row(0));
    Vec3 y = row(1);
    const double d = x[0] * y[0] + x[1] * y[1] + x[2] * y[2];
    y = unit({y[0] - d * x[0], y[1] - d * x[1], y[2] - d * x[2]});
    const Vec3 z{x[1] * y[2] - x[2] * y[1], x[2] * y[0] - x[0] * y[2], x[0] * y[1] - x[1] * y[0]};
    m = {x[0], x[1], x[2], y[0], y[1], y[2], z[0], z[1], z[2]};
}

}  // namespace

void Camera::fit(const std::vector<CartesianAtom>& atoms, double width, double height) {
    *this = Camera{};
    width_ = width;
    height_ = height;
    if (atoms.empty())
        return;
    Vec3 sum{};
    for (const CartesianAtom& a : atoms) {
        sum[0] += a.x;
        sum[1] += a.y;
        sum[2] += a.z;
    }
    const double n = static_cast<double>(atoms.size());
    centre_ = {sum[0] / n, sum[1] / n, sum[2] / n};
    // The farthest ball edge from the centre, in any direction, so that
    // every rotation keeps the molecule in view.
    double reach = 0.0;
    for (const CartesianAtom& a : atoms)
        reach = std::max(reach, distance(position(a), centre_) + ballRadius(a.atomicNumber));
    const double room = std::max(1.0, std::min(width, height));
    fitScale_ = 0.5 * room * 0.9 / std::max(reach, 0.5);
}

void Camera::turn(double aboutVertical, double aboutHorizontal) {
    const double a = aboutVertical * std::numbers::pi / 180.0;
    const double b = aboutHorizontal * std::numbers::pi / 180.0;
    // Screen y is up: turning about it moves the front (+z) to the right.
    const Matrix aroundY{std::cos(a), 0, std::sin(a), 0, 1, 0, -std::sin(a), 0, std::cos(a)};
    // Screen x: a downward drag brings the front down.
    const Matrix aroundX{1, 0, 0, 0, std::cos(b), -std::sin(b), 0, std::sin(b), std::cos(b)};
    rotation_ = multiply(aroundX, multiply(aroundY, rotation_));
    orthonormalise(rotation_);
}

void Camera::rotate(double dx, double dy) {
    turn(dx * kDegreesPerPixel, dy * kDegreesPerPixel);
}

void Camera::zoom(double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor))
        return;
    zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
}

void Camera::pan(double dx, double dy) {
    panX_ += dx;
    panY_ += dy;
}

void Camera::resize(double width, double height) {
    width_ = width;
    height_ = height;
}

ScreenPoint Camera::project(const Vec3& p) const {
    const Vec3 q{p[0] - centre_[0], p[1] - centre_[1], p[2] - centre_[2]};
    const Matrix& r = rotation_;
    const double x = r[0] * q[0] + r[1] * q[1] + r[2] * q[2];
    const double y = r[3] * q[0] + r[4] * q[1] + r[5] * q[2];
    const double z = r[6] * q[0] + r[7] * q[1] + r[8] * q[2];
    const double s = scale();
    return {width_ / 2 + panX_ + s * x, height_ / 2 + panY_ - s * y, z};
}

std::optional<std::size_t> pickAtom(const Camera& camera, const std::vector<CartesianAtom>& atoms,
                                    double x, double y) {
    std::optional<std::size_t> best;
    double bestDepth = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const ScreenPoint p = camera.project(position(atoms[i]));
        const double r = camera.scale() * ballRadius(atoms[i].atomicNumber);
        const double dx = x - p.x, dy = y - p.y;
        if (dx * dx + dy * dy > r * r)
            continue;
        // The ball's front surface at that pixel.
        const double front =
            p.depth + std::sqrt(std::max(0.0, r * r - dx * dx - dy * dy)) / camera.scale();
        if (front > bestDepth) {
            bestDepth = front;
            best = i;
        }
    }
    return best;
}

std::vector<std::size_t> backToFront(const Camera& camera,
                                     const std::vector<CartesianAtom>& atoms) {
    std::vector<std::pair<double, std::size_t>> keyed;
    keyed.reserve(atoms.size());
    for (std::size_t i = 0; i < atoms.size(); ++i)
        keyed.emplace_back(camera.project(position(atoms[i])).depth, i);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> order;
    order.reserve(keyed.size());
    for (const auto& k : keyed) order.push_back(k.second);
    return order;
}

}  // namespace zerlant::molecule
