#include "core/plotdata/scanprofile.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/plotdata/broadening.hpp"

namespace zerlant::plotdata {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool sameValue(double a, double b) {
    return std::abs(a - b) <= 1e-6 * std::max({1.0, std::abs(a), std::abs(b)});
}

std::optional<std::size_t> indexOf(const std::vector<double>& sorted, double v) {
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sameValue(sorted[i], v))
            return i;
    return std::nullopt;
}

// 1, 2 or 5 times a power of ten, at least `raw`.
double roundStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw * (1 - 1e-12))
            return m * power;
    return 10.0 * power;
}

}  // namespace

void fillRelative(ScanProfile& p) {
    p.relative.assign(p.energy.size(), kNaN);
    p.lowest.reset();
    for (std::size_t i = 0; i < p.energy.size(); ++i)
        if (std::isfinite(p.energy[i]) && (!p.lowest || p.energy[i] < p.energy[*p.lowest]))
            p.lowest = i;
    if (!p.lowest)
        return;
    const double low = p.energy[*p.lowest];
    for (std::size_t i = 0; i < p.energy.size(); ++i) {
        const double r = (p.energy[i] - low) * kHartreeKcal;
        p.relative[i] = std::isfinite(r) ? r : kNaN;
    }
}

std::vector<ScanProfile> scanProfiles(const std::vector<ScanFile>& files) {
    std::vector<ScanProfile> out;
    for (const ScanFile& f : files) {
        if (f.points.empty())
            continue;
        ScanProfile p;
        p.file = f.file;
        p.coordinates = f.coordinates;
        p.energyName = f.energyName;
        const bool byStep = f.coordinates.empty();
        if (byStep)
            p.coordinates.push_back({"N", CoordinateKind::Other});
        p.values.resize(p.coordinates.size());
        for (const ScanPoint& point : f.points) {
            p.step.push_back(point.step);
            for (std::size_t k = 0; k < p.values.size(); ++k)
                p.values[k].push_back(byStep                         ? point.step
                                      : k < point.coordinates.size() ? point.coordinates[k]
                                                                     : kNaN);
            p.energy.push_back(point.energy);
        }
        fillRelative(p);
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<ScanProfile> scanProfiles(const std::vector<ScanJob>& jobs) {
    return scanProfiles(scanPointsOf(jobs));
}

ScanProfile withinRange(const ScanProfile& p, double a, double b) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    ScanProfile kept = p;
    kept.step.clear();
    kept.energy.clear();
    for (auto& v : kept.values) v.clear();
    for (std::size_t i = 0; i < p.step.size(); ++i) {
        const double x = p.x()[i];
        if (!(x >= lo && x <= hi))
            continue;
        kept.step.push_back(p.step[i]);
        kept.energy.push_back(p.energy[i]);
        for (std::size_t k = 0; k < p.values.size(); ++k) kept.values[k].push_back(p.values[k][i]);
    }
    fillRelative(kept);
    return kept;
}

std::vector<double> distinctValues(const std::vector<double>& values) {
    std::vector<double> out;
    for (double v : values)
        if (std::isfinite(v) && !indexOf(out, v))
            out.push_back(v);
    return out;
}

std::optional<ScanGrid> scanGrid(const ScanProfile& p) {
    if (!p.twoDimensional())
        return std::nullopt;
    ScanGrid g;
    g.file = p.file;
    g.xCoordinate = p.coordinates[0];
    g.yCoordinate = p.coordinates[1];
    g.xs = distinctValues(p.values[0]);
    g.ys = distinctValues(p.values[1]);
    if (g.xs.size() < 2 || g.ys.size() < 2)
        return std::nullopt;
    std::sort(g.xs.begin(), g.xs.end());
    std::sort(g.ys.begin(), g.ys.end());
    g.z.assign(g.xs.size() * g.ys.size(), kNaN);
    for (std::size_t n = 0; n < p.step.size(); ++n) {
        auto i = indexOf(g.xs, p.values[0][n]);
        auto j = indexOf(g.ys, p.values[1][n]);
        if (!i || !j || !std::isfinite(p.relative[n]))
            continue;
        g.z[*j * g.xs.size() + *i] = p.relative[n];
        if (p.lowest && n == *p.lowest)
            g.lowest = {{*i, *j}};
    }
    return g;
}

std::vector<double> contourLevels(const ScanGrid& grid, int count) {
    double lo = kNaN, hi = kNaN;
    for (double z : grid.z)
        if (std::isfinite(z)) {
            lo = std::isfinite(lo) ? std::min(lo, z) : z;
            hi = std::isfinite(hi) ? std::max(hi, z) : z;
        }
    std::vector<double> levels;
    if (!(hi > lo) || count < 1)
        return levels;
    const double step = roundStep((hi - lo) / count);
    if (!(step > 0.0) || !std::isfinite(step))
        return levels;
    for (double v = std::floor(lo / step + 1) * step; v < hi && levels.size() < 100; v += step)
        if (v > lo)
            levels.push_back(v);
    return levels;
}

std::vector<Segment> contourSegments(const ScanGrid& g, double level) {
    std::vector<Segment> out;
    const std::size_t nx = g.xs.size(), ny = g.ys.size();
    if (nx < 2 || ny < 2)
        return out;
    for (std::size_t j = 0; j + 1 < ny; ++j)
        for (std::size_t i = 0; i + 1 < nx; ++i) {
            // Corners counter-clockwise from the lower left.
            const double x[4] = {g.xs[i], g.xs[i + 1], g.xs[i + 1], g.xs[i]};
            const double y[4] = {g.ys[j], g.ys[j], g.ys[j + 1], g.ys[j + 1]};
            const double z[4] = {g.zAt(i, j), g.zAt(i + 1, j), g.zAt(i + 1, j + 1),
                                 g.zAt(i, j + 1)};
            if (!std::all_of(z, z + 4, [](double v) { return std::isfinite(v); }))
                continue;
            // Where the level crosses each edge (a corner exactly on it counts as above).
            std::vector<std::pair<double, double>> cuts;
            for (int e = 0; e < 4; ++e) {
                const int f = (e + 1) % 4;
                const bool above = z[e] >= level, aboveNext = z[f] >= level;
                if (above == aboveNext)
                    continue;
                const double t = (level - z[e]) / (z[f] - z[e]);
                cuts.push_back({x[e] + t * (x[f] - x[e]), y[e] + t * (y[f] - y[e])});
            }
            if (cuts.size() == 2) {
                out.push_back({cuts[0].first, cuts[0].second, cuts[1].first, cuts[1].second});
            } else if (cuts.size() == 4) {
                // A saddle: the centre's value decides which corners join.
                const double centre = (z[0] + z[1] + z[2] + z[3]) / 4.0;
                const bool lowerLeftAbove = z[0] >= level;
                if ((centre >= level) == lowerLeftAbove) {
                    // The lower left joins the upper right: the other two are cut off.
                    out.push_back({cuts[0].first, cuts[0].second, cuts[1].first, cuts[1].second});
                    out.push_back({cuts[2].first, cuts[2].second, cuts[3].first, cuts[3].second});
                } else {
                    out.push_back({cuts[0].first, cuts[0].second, cuts[3].first, cuts[3].second});
                    out.push_back({cuts[1].first, cuts[1].second, cuts[2].first, cuts[2].second});
                }
            }
        }
    return out;
}

}  // namespace zerlant::plotdata
