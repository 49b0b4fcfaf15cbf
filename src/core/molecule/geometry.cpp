#include "core/molecule/geometry.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <unordered_map>

#include "core/molecule/elements.hpp"

namespace zerlant::molecule {

namespace {

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
double dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double norm(const Vec3& a) {
    return std::sqrt(dot(a, a));
}
constexpr double kDegree = 180.0 / std::numbers::pi;
constexpr double kTiny = 1e-8;

// Six decimals with "." whatever the process locale, right-aligned in 14.
std::string fixed(double v) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 6);
    std::string out = ec == std::errc() ? std::string(text, end) : std::string("nan");
    return std::string(out.size() < 14 ? 14 - out.size() : 0, ' ') + out;
}

}  // namespace

std::vector<Bond> findBonds(const std::vector<CartesianAtom>& atoms) {
    std::vector<Bond> bonds;
    double largest = 0.0;
    for (const CartesianAtom& a : atoms)
        largest = std::max(largest, elementStyle(a.atomicNumber).covalentRadius);
    if (largest <= 0.0)
        return bonds;
    // Cells as wide as the longest possible bond: a partner is in the same
    // cell or a neighbouring one.
    const double cell = 2.0 * largest + kBondTolerance;
    auto cellOf = [cell](double v) { return static_cast<long long>(std::floor(v / cell)); };
    auto key = [](long long x, long long y, long long z) {
        return (x * 73856093LL) ^ (y * 19349663LL) ^ (z * 83492791LL);
    };
    std::unordered_map<long long, std::vector<std::size_t>> grid;
    grid.reserve(atoms.size());
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        if (!std::isfinite(atoms[i].x) || !std::isfinite(atoms[i].y) || !std::isfinite(atoms[i].z))
            continue;
        grid[key(cellOf(atoms[i].x), cellOf(atoms[i].y), cellOf(atoms[i].z))].push_back(i);
    }
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const double ri = elementStyle(atoms[i].atomicNumber).covalentRadius;
        if (ri <= 0.0 ||
            !grid.count(key(cellOf(atoms[i].x), cellOf(atoms[i].y), cellOf(atoms[i].z))))
            continue;
        const long long cx = cellOf(atoms[i].x), cy = cellOf(atoms[i].y), cz = cellOf(atoms[i].z);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy)
                for (long long dz = -1; dz <= 1; ++dz) {
                    const auto found = grid.find(key(cx + dx, cy + dy, cz + dz));
                    if (found == grid.end())
                        continue;
                    for (std::size_t j : found->second) {
                        if (j <= i)
                            continue;
                        // Distinct cells may share a hash key: check the cell.
                        if (cellOf(atoms[j].x) != cx + dx || cellOf(atoms[j].y) != cy + dy ||
                            cellOf(atoms[j].z) != cz + dz)
                            continue;
                        const double rj = elementStyle(atoms[j].atomicNumber).covalentRadius;
                        if (rj <= 0.0)
                            continue;
                        const double d = distance(position(atoms[i]), position(atoms[j]));
                        if (d > kMinimumBond && d <= ri + rj + kBondTolerance)
                            bonds.push_back({i, j});
                    }
                }
    }
    std::sort(bonds.begin(), bonds.end(),
              [](const Bond& x, const Bond& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
    return bonds;
}

double distance(const Vec3& a, const Vec3& b) {
    return norm(minus(a, b));
}

std::optional<double> angle(const Vec3& a, const Vec3& b, const Vec3& c) {
    const Vec3 u = minus(a, b), v = minus(c, b);
    const double nu = norm(u), nv = norm(v);
    if (nu < kTiny || nv < kTiny)
        return std::nullopt;
    // atan2 of |u x v| and u.v stays exact near 0 and 180 degrees.
    return std::atan2(norm(cross(u, v)), dot(u, v)) * kDegree;
}

std::optional<double> dihedral(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
    const Vec3 b1 = minus(b, a), b2 = minus(c, b), b3 = minus(d, c);
    const Vec3 n1 = cross(b1, b2), n2 = cross(b2, b3);
    const double len = norm(b2);
    if (norm(n1) < kTiny || norm(n2) < kTiny || len < kTiny)
        return std::nullopt;
    double value = std::atan2(len * dot(b1, n2), dot(n1, n2)) * kDegree;
    if (value <= -180.0)
        value += 360.0;
    return value;
}

std::optional<Measure> measure(const std::vector<CartesianAtom>& atoms,
                               const std::vector<std::size_t>& picked) {
    std::vector<Vec3> p;
    for (std::size_t i : picked) {
        if (i >= atoms.size())
            return std::nullopt;
        p.push_back(position(atoms[i]));
    }
    std::optional<double> value;
    Measure::Kind kind = Measure::Kind::Distance;
    switch (p.size()) {
        case 2:
            value = distance(p[0], p[1]);
            break;
        case 3:
            kind = Measure::Kind::Angle;
            value = angle(p[0], p[1], p[2]);
            break;
        case 4:
            kind = Measure::Kind::Dihedral;
            value = dihedral(p[0], p[1], p[2], p[3]);
            break;
        default:
            return std::nullopt;
    }
    if (!value)
        return std::nullopt;
    return Measure{kind, *value};
}

std::vector<CartesianAtom> modeFrame(const std::vector<CartesianAtom>& atoms,
                                     const std::vector<std::array<double, 3>>& displacements,
                                     double amplitude, int frame, int frames) {
    std::vector<CartesianAtom> out = atoms;
    if (frames <= 0)
        return out;
    const double phase = std::sin(2.0 * std::numbers::pi * frame / frames) * amplitude;
    for (std::size_t i = 0; i < out.size() && i < displacements.size(); ++i) {
        out[i].x += phase * displacements[i][0];
        out[i].y += phase * displacements[i][1];
        out[i].z += phase * displacements[i][2];
    }
    return out;
}

std::string xyzBlock(const std::vector<CartesianAtom>& atoms, const std::string& comment) {
    std::string out = std::to_string(atoms.size()) + "\n";
    for (char c : comment)
        if (c != '\n' && c != '\r')
            out += c;
    out += "\n";
    for (const CartesianAtom& a : atoms) {
        const std::string symbol = a.symbol.empty() ? "X" : a.symbol;
        out += symbol + std::string(symbol.size() < 3 ? 3 - symbol.size() : 0, ' ');
        for (double v : {a.x, a.y, a.z}) out += " " + fixed(v);
        out += "\n";
    }
    return out;
}

}  // namespace zerlant::molecule
