#include "core/plotdata/plotscene.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "core/plotdata/numbertext.hpp"

namespace zerlant::plotdata {

namespace {

int titleMessage(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return 268;
        case Kind::Raman:
            return 269;
        case Kind::Uv:
            return 270;
        case Kind::Ecd:
            break;
    }
    return 271;
}

int yMessage(Kind kind) {
    switch (kind) {
        case Kind::Ir:
            return 276;
        case Kind::Raman:
            return 277;
        case Kind::Uv:
            return 278;
        case Kind::Ecd:
            break;
    }
    return 279;
}

int xMessage(Unit unit) {
    switch (unit) {
        case Unit::Wavenumber:
            return 273;
        case Unit::Nanometre:
            return 274;
        case Unit::ElectronVolt:
            break;
    }
    return 275;
}

std::string withSeparator(std::string number, char sep) {
    std::replace(number.begin(), number.end(), '.', sep);
    return number;
}

}  // namespace

std::string captionNumber(double value, int decimals, char decimalSeparator) {
    char buffer[64];
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
        scene.y2Title = message(s.kind == Kind::Uv ? 204 : 280);
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
        note = message(284) + " = " + captionNumber(s.width, 1, sep) + " cm⁻¹";
    else
        note = message(285) + " = " + captionNumber(s.width, 3, sep) + " eV";
    if (vibrational && s.scale != 1.0)
        note += " · " + message(286) + " = " + captionNumber(s.scale, 4, sep);

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
        Series line{
            Series::Style::Line, message(287) + ": " + measured->name, m.x, m.y, -1, false, true};
        scene.series.push_back(std::move(line));
        note += " · " + message(287) + " " + message(288) + " " +
                withSeparator(numberText(factor, 4), sep);
    }
    scene.note = note;
    return scene;
}

PlotScene scanScene(const std::vector<ScanProfile>& profiles, const MessageLookup& message,
                    char decimalSeparator) {
    PlotScene scene;
    scene.title = message(272);
    scene.yTitle = message(281);
    // Every coordinate name once ("D7, D10" when the files scan different ones).
    std::string coordinates;
    for (const auto& p : profiles)
        if (!p.coordinateName.empty() &&
            (", " + coordinates + ", ").find(", " + p.coordinateName + ", ") == std::string::npos)
            coordinates += (coordinates.empty() ? "" : ", ") + p.coordinateName;
    scene.xTitle = message(282) + (coordinates.empty() ? "" : " (" + coordinates + ")");
    bool any = false;
    double lo = 0.0, hi = 1.0;
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        const auto& p = profiles[i];
        const int colour = static_cast<int>(i);
        scene.series.push_back({Series::Style::Line, p.file, p.coordinate, p.relative, colour});
        scene.series.push_back({Series::Style::Points, "", p.coordinate, p.relative, colour});
        if (!p.coordinate.empty()) {
            scene.series.push_back({Series::Style::Marker,
                                    i == 0 ? message(283) : "",
                                    {p.coordinate[p.lowest]},
                                    {p.relative[p.lowest]},
                                    colour});
            auto [mn, mx] = std::minmax_element(p.coordinate.begin(), p.coordinate.end());
            lo = any ? std::min(lo, *mn) : *mn;
            hi = any ? std::max(hi, *mx) : *mx;
            any = true;
        }
        scene.curves.push_back({p.coordinate, p.relative});
        scene.curveNames.push_back(p.file);
    }
    if (any && hi == lo) {
        lo -= 1.0;
        hi += 1.0;
    }
    // Room at both ends, so the end points and their marks are drawn whole.
    const double pad = (hi - lo) * 0.03;
    scene.xRange = {lo - pad, hi + pad};
    for (const auto& p : profiles)
        if (!p.energy.empty()) {
            scene.note = message(283) + ": " + p.file + " " +
                         captionNumber(p.energy[p.lowest], 6, decimalSeparator) + " hartree";
            break;
        }
    return scene;
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
