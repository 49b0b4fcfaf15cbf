#include "core/plotdata/measured.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/plotdata/numbertext.hpp"

namespace zerlant::plotdata {

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    char separator = 0;
    if (line.find(';') != std::string_view::npos)
        separator = ';';
    else if (line.find(',') != std::string_view::npos)
        separator = ',';
    std::size_t pos = 0;
    while (pos <= line.size()) {
        if (separator) {
            std::size_t end = line.find(separator, pos);
            if (end == std::string_view::npos)
                end = line.size();
            fields.push_back(line.substr(pos, end - pos));
            pos = end + 1;
        } else {
            pos = line.find_first_not_of(" \t", pos);
            if (pos == std::string_view::npos)
                break;
            std::size_t end = line.find_first_of(" \t", pos);
            if (end == std::string_view::npos)
                end = line.size();
            fields.push_back(line.substr(pos, end - pos));
            pos = end;
        }
    }
    return fields;
}

}  // namespace

Result<Curve> parseMeasured(std::string_view text) {
    std::vector<std::pair<double, double>> points;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#')
            continue;
        const auto fields = fieldsOf(line);
        if (fields.size() < 2)
            continue;
        // A decimal comma is only read as such when the fields are split on ';'.
        if (line.find(';') == std::string_view::npos &&
            (fields[0].find(',') != std::string_view::npos))
            continue;
        auto x = numberIn(fields[0]);
        auto y = numberIn(fields[1]);
        if (x && y)
            points.push_back({*x, *y});
    }
    if (points.empty())
        return Error{std::string(kNoPairsFound), ""};
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Curve c;
    for (auto [x, y] : points) {
        c.x.push_back(x);
        c.y.push_back(y);
    }
    return c;
}

Result<Curve> readMeasured(const std::string& path) {
    auto bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    auto curve = parseMeasured(*bytes);
    if (!curve)
        return Error{curve.error().message, path};
    return curve;
}

double matchingScale(const Curve& measured, const Curve& computed) {
    if (computed.x.empty())
        return 1.0;
    const auto [lo, hi] = std::minmax_element(computed.x.begin(), computed.x.end());
    double top = 0.0;
    for (double y : computed.y) top = std::max(top, std::abs(y));
    double mtop = 0.0;
    for (std::size_t i = 0; i < measured.x.size(); ++i)
        if (measured.x[i] >= *lo && measured.x[i] <= *hi)
            mtop = std::max(mtop, std::abs(measured.y[i]));
    if (top == 0.0 || mtop == 0.0)
        return 1.0;
    return top / mtop;
}

Curve scaled(Curve curve, double factor) {
    for (double& y : curve.y) y *= factor;
    return curve;
}

}  // namespace zerlant::plotdata
