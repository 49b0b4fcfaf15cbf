#include "core/plotdata/plotscene.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "core/plotdata/numbertext.hpp"

namespace zerlant::plotdata {

namespace {

MessageId titleMessage(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return MessageId::IrSpectrum;
        case Kind::Raman:
            return MessageId::RamanSpectrum;
        case Kind::Uv:
            return MessageId::UvVisSpectrum;
        case Kind::Ecd:
            break;
    }
    return MessageId::EcdSpectrum;
}

MessageId yMessage(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return MessageId::IrIntensityAxis;
        case Kind::Raman:
            return MessageId::RamanActivityAxis;
        case Kind::Uv:
            return MessageId::EpsilonAxis;
        case Kind::Ecd:
            break;
    }
    return MessageId::DeltaEpsilonAxis;
}

MessageId xMessage(Unit unit) {
    switch (unit) {
        case Unit::Wavenumber:
            return MessageId::WavenumberAxis;
        case Unit::Nanometre:
            return MessageId::WavelengthNm;
        case Unit::ElectronVolt:
            break;
    }
    return MessageId::EnergyEv;
}

std::string withSeparator(std::string number, char sep) {
    std::replace(number.begin(), number.end(), '.', sep);
    return number;
}

}  // namespace

std::string captionNumber(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    std::replace(s.begin(), s.end(), '.', decimalSeparator);
    return s;
}

PlotScene spectrumScene(const std::vector<NamedSticks>& files, const Settings& s,
                        const MessageLookup& message,
                        const std::optional<MeasuredOverlay>& measured, char decimalSeparator) {
    PlotScene scene;
    const bool vibrational = isVibrational(s.kind);
    Settings axis = s;
    if (vibrational)
        axis.unit = Unit::Wavenumber;
    scene.title = message(titleMessage(s.kind));
    scene.xTitle = message(xMessage(axis.unit));
    scene.yTitle = message(yMessage(s.kind));
    if (!vibrational)
        scene.y2Title = message(s.kind == Kind::Uv ? MessageId::OscillatorStrength
                                                   : MessageId::RotatoryStrengthAxis);
    scene.reverseX = vibrational;

    std::vector<std::vector<Stick>> sets;
    for (const auto& f : files) sets.push_back(f.sticks);
    scene.xRange = plotRange(sets, axis);

    for (std::size_t i = 0; i < files.size(); ++i) {
        const int colour = static_cast<int>(i);
        Curve c = broaden(files[i].sticks, axis, scene.xRange);
        Series line{Series::Style::Line, files[i].name, c.x, c.y, colour, false, false};
        Curve sticks = sticksOnAxis(files[i].sticks, axis);
        Series bars{Series::Style::Sticks, "", sticks.x, sticks.y, colour, !vibrational, false};
        scene.series.push_back(std::move(line));
        scene.series.push_back(std::move(bars));
        scene.curves.push_back(std::move(c));
        scene.curveNames.push_back(files[i].name);
    }

    const char sep = decimalSeparator;
    std::string note;
    if (vibrational)
        note =
            message(MessageId::LorentzianWidth) + " = " + captionNumber(s.width, 1, sep) + " cm⁻¹";
    else
        note = message(MessageId::GaussianSigma) + " = " + captionNumber(s.width, 3, sep) + " eV";
    if (vibrational && s.scale != 1.0)
        note += " · " + message(MessageId::ScaleFactor) + " = " + captionNumber(s.scale, 4, sep);

    if (measured) {
        double factor = 1.0;
        if (!scene.curves.empty()) {
            // Scale to the file whose curve reaches highest.
            std::size_t best = 0;
            double top = -1.0;
            for (std::size_t i = 0; i < scene.curves.size(); ++i)
                for (double y : scene.curves[i].y)
                    if (std::abs(y) > top) {
                        top = std::abs(y);
                        best = i;
                    }
            factor = matchingScale(measured->curve, scene.curves[best]);
        }
        const Curve m = scaled(measured->curve, factor);
        Series line{Series::Style::Line,
                    message(MessageId::Measured) + ": " + measured->name,
                    m.x,
                    m.y,
                    -1,
                    false,
                    true};
        scene.series.push_back(std::move(line));
        note += " · " + message(MessageId::Measured) + " " + message(MessageId::ScaledBy) + " " +
                withSeparator(numberText(factor, 4), sep);
    }
    scene.note = note;
    return scene;
}

std::string coordinateTitle(const ScanCoordinate& c) {
    const std::string_view unit = coordinateUnit(c.kind);
    return unit.empty() ? c.name : c.name + " (" + std::string(unit) + ")";
}

namespace {

// Every name once, in the order met ("D7, D10").
void addName(std::string& names, const std::string& name) {
    if (!name.empty() && (", " + names + ", ").find(", " + name + ", ") == std::string::npos)
        names += (names.empty() ? "" : ", ") + name;
}

// The drawn extent of an axis, with room at both ends so that the end points
// and their marks are drawn whole.
std::pair<double, double> paddedExtent(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return {0.0, 1.0};
    if (hi == lo) {
        lo -= 1.0;
        hi += 1.0;
    }
    const double pad = (hi - lo) * 0.03;
    if (std::isfinite(pad) && std::isfinite(lo - pad) && std::isfinite(hi + pad))
        return {lo - pad, hi + pad};
    return {lo, hi};
}

// "B = 0.96 Å, A = 105°" of point i.
std::string pointText(const ScanProfile& p, std::size_t i, char sep) {
    std::string out;
    for (std::size_t k = 0; k < p.values.size(); ++k) {
        const std::string_view unit = coordinateUnit(p.coordinates[k].kind);
        out += (k ? ", " : "") + p.coordinates[k].name + " = " +
               captionNumber(p.values[k][i], 4, sep) +
               (unit.empty()  ? ""
                : unit == "°" ? std::string(unit)
                              : " " + std::string(unit));
    }
    return out;
}

std::string lowestNote(const ScanProfile& p, const MessageLookup& message, char sep) {
    const std::size_t i = *p.lowest;
    return message(MessageId::LowestPoint) + ": " + p.file + " " +
           captionNumber(p.energy[i], 6, sep) + " hartree (" + pointText(p, i, sep) + ")";
}

}  // namespace

PlotScene scanScene(const std::vector<ScanProfile>& profiles, const MessageLookup& message,
                    char decimalSeparator) {
    const char sep = decimalSeparator;
    PlotScene scene;
    scene.title = message(MessageId::ScanProfile);
    scene.yTitle = message(MessageId::RelativeEnergyAxis);
    // One x axis per unit of the first coordinate: the bottom one for the
    // first unit met, the top one for a second.
    std::vector<std::string> units;
    std::vector<std::string> names(2);
    std::vector<std::pair<double, double>> extent(2, {std::nan(""), std::nan("")});
    const bool manyFiles = profiles.size() > 1;
    int colour = 0;
    bool markerNamed = false;
    for (const auto& p : profiles) {
        if (p.values.empty())
            continue;
        const std::string unit(coordinateUnit(p.coordinates[0].kind));
        auto u = std::find(units.begin(), units.end(), unit);
        if (u == units.end())
            u = units.insert(units.end(), unit);
        const bool top = u - units.begin() == 1;
        addName(names[top], p.coordinates[0].name);
        auto& [lo, hi] = extent[top];

        // The point indices of each curve: every point, or those of one
        // value of the second coordinate.
        std::vector<std::pair<std::string, std::vector<std::size_t>>> curves;
        if (p.twoDimensional()) {
            auto seconds = distinctValues(p.values[1]);
            std::sort(seconds.begin(), seconds.end());
            const ScanCoordinate& c = p.coordinates[1];
            const std::string_view cu = coordinateUnit(c.kind);
            for (double v : seconds) {
                std::vector<std::size_t> at;
                for (std::size_t i = 0; i < p.step.size(); ++i)
                    if (std::abs(p.values[1][i] - v) <= 1e-6 * std::max(1.0, std::abs(v)))
                        at.push_back(i);
                std::string name = (manyFiles ? p.file + ": " : "") + c.name + " = " +
                                   captionNumber(v, 4, sep) +
                                   (cu == "°"    ? std::string(cu)
                                    : cu.empty() ? ""
                                                 : " " + std::string(cu));
                curves.push_back({std::move(name), std::move(at)});
            }
        } else {
            std::vector<std::size_t> all(p.step.size());
            for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
            curves.push_back({p.file, std::move(all)});
        }
        for (auto& [name, at] : curves) {
            std::vector<double> xs, ys;
            std::sort(at.begin(), at.end(),
                      [&](std::size_t a, std::size_t b) { return p.x()[a] < p.x()[b]; });
            for (std::size_t i : at)
                if (std::isfinite(p.x()[i]) && std::isfinite(p.relative[i])) {
                    xs.push_back(p.x()[i]);
                    ys.push_back(p.relative[i]);
                    lo = std::isfinite(lo) ? std::min(lo, p.x()[i]) : p.x()[i];
                    hi = std::isfinite(hi) ? std::max(hi, p.x()[i]) : p.x()[i];
                }
            if (xs.empty())
                continue;
            Series line{Series::Style::Line, name, xs, ys, colour};
            line.secondXAxis = top;
            Series points{Series::Style::Points, "", xs, ys, colour};
            points.secondXAxis = top;
            scene.series.push_back(std::move(line));
            scene.series.push_back(std::move(points));
            ++colour;
        }
        if (p.lowest && std::isfinite(p.x()[*p.lowest])) {
            Series mark{Series::Style::Marker,
                        markerNamed ? "" : message(MessageId::LowestPoint),
                        {p.x()[*p.lowest]},
                        {p.relative[*p.lowest]},
                        -1};
            mark.secondXAxis = top;
            markerNamed = true;
            scene.series.push_back(std::move(mark));
        }
    }
    auto axisTitle = [&](std::size_t a) {
        std::string t = message(MessageId::ScannedCoordinate);
        if (!names[a].empty())
            t += ": " + names[a];
        if (a < units.size() && !units[a].empty())
            t += " (" + units[a] + ")";
        return t;
    };
    scene.xTitle = axisTitle(0);
    scene.xRange = paddedExtent(extent[0].first, extent[0].second);
    if (units.size() > 1) {
        scene.x2Title = axisTitle(1);
        scene.x2Range = paddedExtent(extent[1].first, extent[1].second);
    }
    for (const auto& p : profiles)
        if (p.lowest) {
            scene.note = lowestNote(p, message, sep);
            break;
        }
    return scene;
}

std::optional<MapScene> scanMapScene(const ScanProfile& profile, const MessageLookup& message,
                                     char decimalSeparator) {
    auto grid = scanGrid(profile);
    if (!grid)
        return std::nullopt;
    MapScene m;
    m.title = message(MessageId::ScanProfile) + ": " + profile.file;
    m.xTitle = coordinateTitle(grid->xCoordinate);
    m.yTitle = coordinateTitle(grid->yCoordinate);
    m.zTitle = message(MessageId::RelativeEnergyAxis);
    if (profile.lowest)
        m.note = lowestNote(profile, message, decimalSeparator);
    m.levels = contourLevels(*grid);
    for (double level : m.levels) m.contours.push_back(contourSegments(*grid, level));
    m.grid = std::move(*grid);
    return m;
}

std::string sceneCsv(const PlotScene& scene, const Settings& s) {
    Settings axis = s;
    if (isVibrational(s.kind))
        axis.unit = Unit::Wavenumber;
    std::vector<std::string> header{xColumnName(axis.unit)};
    if (scene.curves.size() == 1)
        header.push_back(yColumnName(s.kind));
    else
        for (const auto& n : scene.curveNames) header.push_back(n);
    return curvesCsv(header, scene.curves);
}

}  // namespace zerlant::plotdata
