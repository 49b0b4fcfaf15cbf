#include "gui/molecule/convergenceplot.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zerlant::gui {

namespace {

const QColor kCriterionColours[kCriteria] = {QColor(200, 40, 40), QColor(230, 140, 0),
                                             QColor(40, 90, 200), QColor(0, 150, 150)};

}  // namespace

ConvergencePlot::ConvergencePlot(QWidget* parent) : QWidget(parent) {
    setObjectName("convergencePlot");
    setMinimumSize(160, 110);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ConvergencePlot::setSteps(std::vector<OptimisationStep> steps) {
    steps_ = std::move(steps);
    update();
}

void ConvergencePlot::setCurrent(int step) {
    current_ = step;
    update();
}

void ConvergencePlot::setCriterionNames(QStringList names) {
    names_ = std::move(names);
    update();
}

QRectF ConvergencePlot::plotArea() const {
    return QRectF(6, 4, width() - 12, height() - 8 - fontMetrics().height());
}

void ConvergencePlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = plotArea();
    const int n = static_cast<int>(steps_.size());
    if (n == 0 || area.width() < 10 || area.height() < 20)
        return;
    auto xOf = [&](int i) {
        return n == 1 ? area.center().x() : area.left() + area.width() * i / (n - 1);
    };
    const QRectF top(area.left(), area.top(), area.width(), area.height() * 0.45);
    const QRectF bottom(area.left(), area.top() + area.height() * 0.52, area.width(),
                        area.height() * 0.48);
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.drawRect(top);
    p.drawRect(bottom);

    // Energies, scaled to their own range.
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const OptimisationStep& s : steps_)
        if (s.energy) {
            lo = std::min(lo, *s.energy);
            hi = std::max(hi, *s.energy);
        }
    if (lo <= hi) {
        const double span = hi > lo ? hi - lo : 1.0;
        QPainterPath line;
        bool started = false;
        for (int i = 0; i < n; ++i) {
            if (!steps_[i].energy)
                continue;
            const QPointF pt(
                xOf(i), top.bottom() - 3 - (top.height() - 6) * (*steps_[i].energy - lo) / span);
            started ? line.lineTo(pt) : line.moveTo(pt);
            started = true;
            p.setBrush(steps_[i].converged ? QColor(0, 150, 60) : palette().color(QPalette::Text));
            p.setPen(Qt::NoPen);
            p.drawEllipse(pt, 2.5, 2.5);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(palette().color(QPalette::Text), 1.3));
        p.drawPath(line);
    }

    // Criteria: log10(value / threshold), clamped to [-2, 3]; met below 0.
    constexpr double kLow = -2.0, kHigh = 3.0;
    auto yOf = [&](double v) {
        const double c = std::clamp(v, kLow, kHigh);
        return bottom.bottom() - bottom.height() * (c - kLow) / (kHigh - kLow);
    };
    p.setPen(QPen(QColor(0, 150, 60), 1, Qt::DashLine));
    p.drawLine(QPointF(bottom.left(), yOf(0)), QPointF(bottom.right(), yOf(0)));
    for (std::size_t c = 0; c < kCriteria; ++c) {
        QPainterPath line;
        bool started = false;
        for (int i = 0; i < n; ++i) {
            const CriterionValue& v = steps_[i].criteria[c];
            if (!v.value || !v.threshold || *v.threshold <= 0 || *v.value <= 0) {
                started = false;
                continue;
            }
            const QPointF pt(xOf(i), yOf(std::log10(*v.value / *v.threshold)));
            started ? line.lineTo(pt) : line.moveTo(pt);
            started = true;
        }
        p.setPen(QPen(kCriterionColours[c], 1.4));
        p.drawPath(line);
    }
    if (current_ >= 0 && current_ < n) {
        p.setPen(QPen(QColor(230, 120, 0), 1.5));
        p.drawLine(QPointF(xOf(current_), area.top()), QPointF(xOf(current_), area.bottom()));
    }
    // Legend under the plot.
    double x = area.left();
    const double y = area.bottom() + fontMetrics().ascent() + 2;
    for (int c = 0; c < names_.size() && c < static_cast<int>(kCriteria); ++c) {
        p.setPen(kCriterionColours[c]);
        p.drawText(QPointF(x, y), names_[c]);
        x += fontMetrics().horizontalAdvance(names_[c]) + 10;
    }
}

void ConvergencePlot::mousePressEvent(QMouseEvent* event) {
    const int n = static_cast<int>(steps_.size());
    const QRectF area = plotArea();
    if (n == 0 || area.width() <= 0)
        return;
    const double f = (event->position().x() - area.left()) / area.width();
    emit stepClicked(std::clamp(static_cast<int>(std::lround(f * (n - 1))), 0, n - 1));
}

}  // namespace zerlant::gui
