#include "plot/mapchart.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace zerlant::plot {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A perceptually even scale from dark blue (lowest) to yellow (highest).
QColor scaleColour(double t) {
    static const QColor stops[] = {QColor(0x44, 0x01, 0x54), QColor(0x3b, 0x52, 0x8b),
                                   QColor(0x21, 0x90, 0x8d), QColor(0x5d, 0xc9, 0x63),
                                   QColor(0xfd, 0xe7, 0x25)};
    t = std::clamp(t, 0.0, 1.0) * 4.0;
    const int k = std::min(3, static_cast<int>(t));
    const double f = t - k;
    const QColor& a = stops[k];
    const QColor& b = stops[k + 1];
    return QColor::fromRgbF(static_cast<float>(a.redF() + f * (b.redF() - a.redF())),
                            static_cast<float>(a.greenF() + f * (b.greenF() - a.greenF())),
                            static_cast<float>(a.blueF() + f * (b.blueF() - a.blueF())));
}

double niceStep(double span, int parts) {
    const double raw = std::abs(span) / parts;
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

int decimalsFor(double step) {
    return step >= 1.0 || !(step > 0.0) ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

// Round tick values inside [lo, hi].
std::vector<double> ticks(double lo, double hi, int parts) {
    std::vector<double> out;
    const double step = niceStep(hi - lo, parts);
    if (!(step > 0.0))
        return out;
    for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step * 1e-9 && out.size() < 50;
         v += step)
        out.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    return out;
}

// The edges of the cells around sorted centres: halfway between neighbours,
// half a spacing beyond the ends.
std::vector<double> edges(const std::vector<double>& c) {
    std::vector<double> e(c.size() + 1);
    for (std::size_t i = 1; i < c.size(); ++i) e[i] = (c[i - 1] + c[i]) / 2.0;
    e.front() = c.front() - (c[1] - c[0]) / 2.0;
    e.back() = c.back() + (c.back() - c[c.size() - 2]) / 2.0;
    return e;
}

QPainterPath star(QPointF centre, double radius) {
    QPainterPath path;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 == 0 ? radius : radius * 0.45;
        const double a = -M_PI / 2 + k * M_PI / 5;
        const QPointF p = centre + QPointF(r * std::cos(a), r * std::sin(a));
        k == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

}  // namespace

void paintMap(QPainter& p, const QRectF& area, const plotdata::MapScene& map, char sep) {
    const auto& g = map.grid;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    QFont titleFont = p.font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    QFont font = p.font();
    font.setPointSizeF(9);
    const QFontMetricsF fm(font);

    // Title and note on top; axes left and below; the colour bar on the right.
    p.setFont(titleFont);
    p.setPen(Qt::black);
    const double titleHeight = QFontMetricsF(titleFont).height();
    p.drawText(QRectF(area.left(), area.top() + 6, area.width(), titleHeight), Qt::AlignCenter,
               qs(map.title));
    p.setFont(font);
    p.drawText(QRectF(area.left(), area.top() + 8 + titleHeight, area.width(), fm.height()),
               Qt::AlignCenter, qs(map.note));
    const QRectF plot(area.left() + 80, area.top() + 20 + titleHeight + fm.height(),
                      area.width() - 80 - 150,
                      area.height() - (30 + titleHeight + fm.height()) - 60);
    if (g.xs.size() < 2 || g.ys.size() < 2 || plot.width() < 10 || plot.height() < 10) {
        p.restore();
        return;
    }
    const auto xe = edges(g.xs), ye = edges(g.ys);
    const double x0 = xe.front(), x1 = xe.back(), y0 = ye.front(), y1 = ye.back();
    if (!std::isfinite(x1 - x0) || !std::isfinite(y1 - y0) || !(x1 > x0) || !(y1 > y0)) {
        p.restore();
        return;
    }
    auto px = [&](double x) { return plot.left() + (x - x0) / (x1 - x0) * plot.width(); };
    auto py = [&](double y) { return plot.bottom() - (y - y0) / (y1 - y0) * plot.height(); };

    double zmin = 0.0, zmax = 0.0;
    bool any = false;
    for (double z : g.z)
        if (std::isfinite(z)) {
            zmin = any ? std::min(zmin, z) : z;
            zmax = any ? std::max(zmax, z) : z;
            any = true;
        }
    const double zspan = zmax > zmin ? zmax - zmin : 1.0;

    // Cells; a point the scan does not have is hatched grey.
    for (std::size_t j = 0; j < g.ys.size(); ++j)
        for (std::size_t i = 0; i < g.xs.size(); ++i) {
            const QRectF cell(QPointF(px(xe[i]), py(ye[j + 1])), QPointF(px(xe[i + 1]), py(ye[j])));
            const double z = g.zAt(i, j);
            if (std::isfinite(z))
                p.fillRect(cell.adjusted(0, 0, 0.5, 0.5), scaleColour((z - zmin) / zspan));
            else
                p.fillRect(cell, QBrush(QColor(0xc0, 0xc0, 0xc0), Qt::BDiagPattern));
        }
    // Contour lines through the cell centres' values.
    p.setPen(QPen(QColor(0, 0, 0, 170), 1.0));
    for (const auto& level : map.contours)
        for (const auto& s : level)
            p.drawLine(QPointF(px(s.x1), py(s.y1)), QPointF(px(s.x2), py(s.y2)));
    if (g.lowest) {
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::white);
        p.drawPath(star(QPointF(px(g.xs[g.lowest->first]), py(g.ys[g.lowest->second])), 9.0));
    }

    // Frame, ticks and their numbers.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1.0));
    p.drawRect(plot);
    auto number = [&](double v, double step) {
        return qs(plotdata::captionNumber(v, decimalsFor(step), sep));
    };
    const auto xt = ticks(x0, x1, 8);
    const double xstep = xt.size() > 1 ? xt[1] - xt[0] : 1.0;
    for (double v : xt) {
        const double x = px(v);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        p.drawText(QRectF(x - 40, plot.bottom() + 6, 80, fm.height()), Qt::AlignHCenter,
                   number(v, xstep));
    }
    const auto yt = ticks(y0, y1, 6);
    const double ystep = yt.size() > 1 ? yt[1] - yt[0] : 1.0;
    for (double v : yt) {
        const double y = py(v);
        p.drawLine(QPointF(plot.left() - 5, y), QPointF(plot.left(), y));
        p.drawText(QRectF(plot.left() - 70, y - fm.height() / 2, 62, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, number(v, ystep));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 8 + fm.height(), plot.width(), fm.height() + 4),
               Qt::AlignHCenter, qs(map.xTitle));
    p.save();
    p.translate(area.left() + 14, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, -fm.height() / 2, plot.height(), fm.height() + 2),
               Qt::AlignHCenter, qs(map.yTitle));
    p.restore();

    // The colour bar, its levels marked.
    const QRectF bar(plot.right() + 24, plot.top(), 18, plot.height());
    for (int k = 0; k < 100; ++k) {
        const double t0 = k / 100.0, t1 = (k + 1) / 100.0;
        p.fillRect(QRectF(QPointF(bar.left(), bar.bottom() - t1 * bar.height()),
                          QPointF(bar.right(), bar.bottom() - t0 * bar.height() + 0.5)),
                   scaleColour((t0 + t1) / 2));
    }
    p.setPen(QPen(Qt::black, 1.0));
    p.drawRect(bar);
    const double lstep = map.levels.size() > 1 ? map.levels[1] - map.levels[0] : zspan;
    std::vector<double> marks{zmin};
    marks.insert(marks.end(), map.levels.begin(), map.levels.end());
    for (double v : marks) {
        const double y = bar.bottom() - (v - zmin) / zspan * bar.height();
        p.drawLine(QPointF(bar.left(), y), QPointF(bar.right() + 4, y));
        p.drawText(QRectF(bar.right() + 6, y - fm.height() / 2, 60, fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, number(v, lstep));
    }
    p.save();
    p.translate(bar.right() + 80, bar.center().y());
    p.rotate(90);
    p.drawText(QRectF(-bar.height() / 2, -fm.height() / 2, bar.height(), fm.height() + 2),
               Qt::AlignHCenter, qs(map.zTitle));
    p.restore();
    p.restore();
}

}  // namespace zerlant::plot
