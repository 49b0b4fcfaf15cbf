#include "core/plotdata/broadening.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zerlant::plotdata {

namespace {

// Electronic lines are broadened in energy; the axis may be in nm or cm-1.
double energyAt(double x, Unit unit) {
    switch (unit) {
        case Unit::Nanometre:
            return x > 0 ? kEvNanometre / x : 0.0;
        case Unit::Wavenumber:
            return x / kEvWavenumber;
        case Unit::ElectronVolt:
            break;
    }
    return x;
}

double axisFromEnergy(double ev, Unit unit) {
    switch (unit) {
        case Unit::Nanometre:
            return kEvNanometre / ev;
        case Unit::Wavenumber:
            return ev * kEvWavenumber;
        case Unit::ElectronVolt:
            break;
    }
    return ev;
}

double niceFloor(double v, double step) {
    return std::floor(v / step) * step;
}
double niceCeil(double v, double step) {
    return std::ceil(v / step) * step;
}

}  // namespace

bool isVibrational(Kind kind) {
    return kind == Kind::Ir || kind == Kind::Raman;
}

Settings defaultSettings(Kind kind) {
    Settings s;
    s.kind = kind;
    switch (kind) {
        case Kind::Ir:
        case Kind::Raman:
            s.unit = Unit::Wavenumber;
            s.width = kDefaultFwhm;
            break;
        case Kind::Uv:
            s.unit = Unit::Nanometre;
            s.width = kDefaultUvSigma;
            break;
        case Kind::Ecd:
            s.unit = Unit::Nanometre;
            s.width = kDefaultEcdSigma;
            break;
    }
    return s;
}

double sigmaFromFwhm(double fwhm) {
    return fwhm / (2.0 * std::sqrt(std::numbers::ln2));
}
double fwhmFromSigma(double sigma) {
    return sigma * 2.0 * std::sqrt(std::numbers::ln2);
}

std::optional<double> axisPosition(const Stick& stick, const Settings& s) {
    if (!(stick.position > 0.0) || !std::isfinite(stick.position))
        return std::nullopt;
    const double x =
        isVibrational(s.kind) ? stick.position * s.scale : axisFromEnergy(stick.position, s.unit);
    if (!std::isfinite(x))
        return std::nullopt;
    return x;
}

double curveValue(const std::vector<Stick>& sticks, const Settings& s, double x) {
    double sum = 0.0;
    if (isVibrational(s.kind)) {
        const double half = s.width / 2.0;
        const double half2 = half * half;
        for (const auto& line : sticks) {
            if (!(line.position > 0.0))
                continue;
            const double d = x - line.position * s.scale;
            sum += line.strength * half2 / (d * d + half2);
        }
        return sum;
    }
    const double e = energyAt(x, s.unit);
    const double sigma = s.width;
    if (!(sigma > 0.0) || !(e > 0.0))
        return 0.0;
    for (const auto& line : sticks) {
        if (!(line.position > 0.0))
            continue;
        const double u = (e - line.position) / sigma;
        if (std::abs(u) > 25.0)
            continue;  // below 1e-271 of the height: nothing, and no subnormal numbers
        const double shape = std::exp(-u * u);
        if (s.kind == Kind::Uv)
            sum += 1.3062974e8 * line.strength / (sigma * kEvWavenumber) * shape;
        else
            sum += line.position * line.strength / (22.96 * std::sqrt(std::numbers::pi) * sigma) *
                   shape;
    }
    return sum;
}

namespace {

std::pair<double, double> plotRangeOf(const std::vector<std::vector<Stick>>& sets,
                                      const Settings& s);

}  // namespace

std::pair<double, double> plotRange(const std::vector<std::vector<Stick>>& sets,
                                    const Settings& s) {
    auto r = plotRangeOf(sets, s);
    if (std::isfinite(r.first) && std::isfinite(r.second))
        return r;
    // Lines so far out that the range overflows: the range of no lines.
    return plotRangeOf({}, s);
}

namespace {

std::pair<double, double> plotRangeOf(const std::vector<std::vector<Stick>>& sets,
                                      const Settings& s) {
    if (s.range && std::isfinite(s.range->first) && std::isfinite(s.range->second)) {
        auto [a, b] = *s.range;
        return a <= b ? std::pair{a, b} : std::pair{b, a};
    }
    if (isVibrational(s.kind)) {
        double top = 4000.0;
        for (const auto& set : sets)
            for (const auto& line : set)
                if (auto x = axisPosition(line, s))
                    top = std::max(top, niceCeil(*x + 5.0 * s.width, 100.0));
        return {0.0, top};
    }
    double lo = 0.0, hi = 0.0;
    bool any = false;
    for (const auto& set : sets)
        for (const auto& line : set)
            if (line.position > 0.0 && std::isfinite(line.position) &&
                std::isfinite(line.strength)) {
                lo = any ? std::min(lo, line.position) : line.position;
                hi = any ? std::max(hi, line.position) : line.position;
                any = true;
            }
    if (!any) {
        lo = 2.0;
        hi = 8.0;
    } else {
        lo = std::max(1.0, lo - 4.0 * s.width);
        hi = hi + 4.0 * s.width;
    }
    switch (s.unit) {
        case Unit::Nanometre:
            return {niceFloor(kEvNanometre / hi, 10.0), niceCeil(kEvNanometre / lo, 10.0)};
        case Unit::Wavenumber:
            return {niceFloor(lo * kEvWavenumber, 1000.0), niceCeil(hi * kEvWavenumber, 1000.0)};
        case Unit::ElectronVolt:
            break;
    }
    return {niceFloor(lo, 0.5), niceCeil(hi, 0.5)};
}

}  // namespace

Curve broaden(const std::vector<Stick>& sticks, const Settings& s,
              std::pair<double, double> range) {
    const double span = range.second - range.first;
    if (!std::isfinite(span) || !std::isfinite(range.first) || !(s.width > 0.0) ||
        !std::isfinite(s.width) || !std::isfinite(s.scale))
        return {};
    std::size_t n = std::max<std::size_t>(2, s.points);
    double step = span / static_cast<double>(n - 1);
    if (s.points == 0 && span > 0.0) {
        const double raw = span / 2000.0;
        const double power = std::pow(10.0, std::floor(std::log10(raw)));
        step = raw <= power       ? power
               : raw <= 2 * power ? 2 * power
               : raw <= 5 * power ? 5 * power
                                  : 10 * power;
        n = static_cast<std::size_t>(std::floor(span / step + 1e-9)) + 1;
        n = std::max<std::size_t>(n, 2);
    }
    Curve c;
    c.x.reserve(n);
    c.y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        // The last point is the range's end itself.
        const double x = i + 1 == n && s.points != 0 ? range.second
                                                     : range.first + step * static_cast<double>(i);
        c.x.push_back(x);
        c.y.push_back(curveValue(sticks, s, x));
    }
    return c;
}

Curve sticksOnAxis(const std::vector<Stick>& sticks, const Settings& s) {
    Curve c;
    for (const auto& line : sticks)
        if (auto x = axisPosition(line, s)) {
            c.x.push_back(*x);
            c.y.push_back(line.strength);
        }
    return c;
}

}  // namespace zerlant::plotdata
