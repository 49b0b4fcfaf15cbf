#pragma once
// Where a structure lands on the screen: an orthographic camera (rotation,
// zoom, pan) over the molecule's centre, the projection of atoms to pixels
// with their depth, and the atom under a pixel.  No window needed.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/molecule/geometry.hpp"

namespace zerlant::molecule {

struct ScreenPoint {
    double x = 0.0;      // pixels from the left
    double y = 0.0;      // pixels from the top
    double depth = 0.0;  // angstrom towards the viewer
};

class Camera {
  public:
    // Centres `atoms` in a viewport of width x height pixels at zoom 1 (the
    // whole molecule with its balls in view), unrotated: x to the right, y
    // up, z towards the viewer.
    void fit(const std::vector<CartesianAtom>& atoms, double width, double height);
    // A drag of (dx, dy) pixels: dx turns about the screen's vertical axis,
    // dy about its horizontal axis, kDegreesPerPixel each.
    void rotate(double dx, double dy);
    // Turns by the given angles (degrees) about the screen axes.
    void turn(double aboutVertical, double aboutHorizontal);
    // Multiplies the zoom by `factor`, kept within [kMinZoom, kMaxZoom].
    void zoom(double factor);
    void pan(double dx, double dy);
    void resize(double width, double height);

    ScreenPoint project(const Vec3& p) const;
    // Pixels per angstrom.
    double scale() const { return fitScale_ * zoom_; }
    double zoomFactor() const { return zoom_; }
    const std::array<double, 9>& rotation() const { return rotation_; }

    static constexpr double kDegreesPerPixel = 0.5;
    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 50.0;

  private:
    std::array<double, 9> rotation_{1, 0, 0, 0, 1, 0, 0, 0, 1};  // row-major
    Vec3 centre_{};
    double fitScale_ = 40.0;
    double zoom_ = 1.0;
    double panX_ = 0.0;
    double panY_ = 0.0;
    double width_ = 0.0;
    double height_ = 0.0;
};

// The atom whose ball covers pixel (x, y), the one nearest the viewer when
// balls overlap; nullopt over empty space.
std::optional<std::size_t> pickAtom(const Camera& camera, const std::vector<CartesianAtom>& atoms,
                                    double x, double y);

// The order to draw atoms in: farthest from the viewer first.
std::vector<std::size_t> backToFront(const Camera& camera, const std::vector<CartesianAtom>& atoms);

}  // namespace zerlant::molecule
