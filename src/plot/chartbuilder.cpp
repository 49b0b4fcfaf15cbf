#include "plot/chartbuilder.hpp"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace zerlant::plot {

namespace {

using Style = plotdata::Series::Style;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The lowest point of a scan: a black star, a shape and colour no curve has.
const QColor kMarkerColour(0, 0, 0);

QPainterPath starPath(QPointF centre, double radius) {
    QPainterPath path;
    for (int k = 0; k < 10; ++k) {
        const double r = k % 2 == 0 ? radius : radius * 0.45;
        const double a = -M_PI / 2 + k * M_PI / 5;
        const QPointF p = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (k == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QImage starImage(int size) {
    QImage image(size * 2, size * 2, QImage::Format_ARGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.0));
    p.setBrush(kMarkerColour);
    p.drawPath(starPath(QPointF(size / 2.0, size / 2.0), size / 2.0 - 1.0));
    return image;
}

// The legend under the plot: a swatch and the name of each entry, wrapped
// into rows at the chart's width.  Qt's own legend cuts entries that do not
// fit in one row.
class FlowLegend : public QGraphicsItem {
  public:
    struct Entry {
        QString name;
        QColor colour;
        Style style = Style::Line;
        bool dashed = false;
    };

    FlowLegend(QChart* chart, std::vector<Entry> entries)
        : QGraphicsItem(chart), chart_(chart), entries_(std::move(entries)) {
        font_ = chart->titleFont();
        font_.setPointSizeF(9);
        font_.setBold(false);
    }

    // Lays the entries out for the chart's present width and reserves the
    // room under the plot.
    void relayout() {
        prepareGeometryChange();
        const QRectF area = chart_->geometry();
        const QFontMetricsF fm(font_);
        const double line = fm.height() + 4.0;
        const double left = 12.0, right = area.width() - 12.0;
        places_.clear();
        double x = left, y = 0.0;
        for (const Entry& e : entries_) {
            const double w = kSwatch + 6.0 + fm.horizontalAdvance(e.name) + 16.0;
            if (x > left && x + w > right) {
                x = left;
                y += line;
            }
            places_.push_back(QPointF(x, y));
            x += w;
        }
        height_ = entries_.empty() ? 0.0 : y + line;
        setPos(0.0, area.height() - height_ - 4.0);
        bounds_ = QRectF(0.0, 0.0, area.width(), height_);
        QMargins m = chart_->margins();
        m.setBottom(static_cast<int>(std::ceil(height_)) + 8);
        if (m != chart_->margins())
            chart_->setMargins(m);
        update();
    }

    QRectF boundingRect() const override { return bounds_; }

    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QFontMetricsF fm(font_);
        p->setFont(font_);
        p->setRenderHint(QPainter::Antialiasing);
        for (std::size_t i = 0; i < entries_.size() && i < places_.size(); ++i) {
            const Entry& e = entries_[i];
            const QPointF at = places_[i];
            const double mid = at.y() + (fm.height() + 4.0) / 2.0;
            if (e.style == Style::Marker) {
                p->setPen(QPen(Qt::white, 1.0));
                p->setBrush(kMarkerColour);
                p->drawPath(starPath(QPointF(at.x() + kSwatch / 2.0, mid), 7.0));
            } else {
                QPen pen(e.colour, 2.0);
                if (e.dashed)
                    pen.setStyle(Qt::DashLine);
                p->setPen(pen);
                p->drawLine(QPointF(at.x(), mid), QPointF(at.x() + kSwatch, mid));
            }
            p->setPen(Qt::black);
            p->drawText(QPointF(at.x() + kSwatch + 6.0, mid + fm.ascent() / 2.0 - 1.0), e.name);
        }
    }

  private:
    static constexpr double kSwatch = 22.0;
    QChart* chart_;
    std::vector<Entry> entries_;
    std::vector<QPointF> places_;
    QFont font_;
    double height_ = 0.0;
    QRectF bounds_;
};

// A range that holds [lo, hi] and 0, with room above and below.
std::pair<double, double> paddedRange(double lo, double hi) {
    lo = std::min(lo, 0.0);
    hi = std::max(hi, 0.0);
    if (hi == lo)
        hi = lo + 1.0;
    const double pad = (hi - lo) * 0.06;
    if (!std::isfinite(pad))
        return {lo, hi};
    return {lo < 0.0 ? lo - pad : 0.0, hi + pad};
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about `parts`.
double niceStep(double span, int parts) {
    const double raw = std::abs(span) / parts;
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

// A range Qt Charts can draw: finite ends, the lower first, not empty.
void setSafeRange(QValueAxis* axis, double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo)) {
        lo = 0.0;
        hi = 1.0;
    }
    if (hi < lo)
        std::swap(lo, hi);
    if (hi == lo)
        hi = lo + 1.0;
    axis->setRange(lo, hi);
}

// Ticks on round values inside the axis' range, labelled with as many
// decimals as the step needs.
void roundTicks(QValueAxis* axis, int parts, bool whole = false) {
    const double span = axis->max() - axis->min();
    const double step = whole ? std::max(1.0, niceStep(span, parts)) : niceStep(span, parts);
    if (!std::isfinite(step) || !(step > 0.0) || !(span / step < 100.0) ||
        std::abs(axis->max()) >= 1e9 || std::abs(axis->min()) >= 1e9) {
        // Numbers too large for round fixed-point ticks: a few plain ones.
        axis->setTickType(QValueAxis::TicksFixed);
        axis->setTickCount(parts + 1);
        axis->setLabelFormat("%.4g");
        return;
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    axis->setLabelFormat(QString("%.%1f").arg(decimals));
}

QValueAxis* valueAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    QFont f = axis->titleFont();
    f.setPointSizeF(10);
    f.setBold(false);
    axis->setTitleFont(f);
    return axis;
}

}  // namespace

QColor seriesColour(int index) {
    static const QColor palette[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                     QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                                     QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
                                     QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};
    if (index < 0)
        return QColor(0x30, 0x30, 0x30);
    return palette[index % 8];
}

QChart* buildChart(const plotdata::PlotScene& scene, char decimalSeparator) {
    auto* chart = new QChart;
    QLocale locale = decimalSeparator == ',' ? QLocale(QLocale::Spanish) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(decimalSeparator == ',');
    // The title is rich text on screen; files carry it as plain text.
    QString title = "<b>" + qs(scene.title).toHtmlEscaped() + "</b>";
    if (!scene.note.empty())
        title += "<br><span style=\"font-size:9pt\">" + qs(scene.note).toHtmlEscaped() + "</span>";
    chart->setTitle(title);
    chart->legend()->setVisible(false);
    chart->setMargins(QMargins(6, 6, 6, 6));

    auto* x = valueAxis(qs(scene.xTitle));
    setSafeRange(x, scene.xRange.first, scene.xRange.second);
    x->setReverse(scene.reverseX);
    roundTicks(x, 8, scene.wholeX);
    chart->addAxis(x, Qt::AlignBottom);
    QValueAxis* x2 = nullptr;
    if (!scene.x2Title.empty()) {
        x2 = valueAxis(qs(scene.x2Title));
        setSafeRange(x2, scene.x2Range.first, scene.x2Range.second);
        roundTicks(x2, 8);
        x2->setGridLineVisible(false);
        chart->addAxis(x2, Qt::AlignTop);
    }
    auto* y = valueAxis(qs(scene.yTitle));
    QValueAxis* y2 = scene.y2Title.empty() || scene.y2Log ? nullptr : valueAxis(qs(scene.y2Title));
    QLogValueAxis* y2Log = nullptr;
    if (!scene.y2Title.empty() && scene.y2Log) {
        y2Log = new QLogValueAxis;
        y2Log->setTitleText(qs(scene.y2Title));
        QFont f = y2Log->titleFont();
        f.setPointSizeF(10);
        f.setBold(false);
        y2Log->setTitleFont(f);
        y2Log->setBase(10.0);
        y2Log->setLabelFormat("%.0e");
        y2Log->setGridLineVisible(false);
        y2Log->setMinorGridLineVisible(false);
    }
    QAbstractAxis* right = y2 ? static_cast<QAbstractAxis*>(y2) : y2Log;
    chart->addAxis(y, Qt::AlignLeft);
    if (right)
        chart->addAxis(right, Qt::AlignRight);

    double lo[2] = {0, 0}, hi[2] = {0, 0};
    double logLo = HUGE_VAL, logHi = 0.0;          // the positive values on a log axis
    std::vector<FlowLegend::Entry> legend, marks;  // the marks' entries come last
    for (const auto& s : scene.series) {
        const int a = s.secondAxis && right ? 1 : 0;
        QValueAxis* xAxis = s.secondXAxis && x2 ? x2 : x;
        const double xmin = xAxis->min(), xmax = xAxis->max();
        QXYSeries* series = nullptr;
        const QColor colour = seriesColour(s.colour);
        if (s.style == Style::Points || s.style == Style::Marker) {
            auto* scatter = new QScatterSeries;
            if (s.style == Style::Marker) {
                scatter->setMarkerSize(22);
                scatter->setLightMarker(starImage(22));
            } else {
                scatter->setMarkerSize(8);
                scatter->setColor(colour);
                scatter->setBorderColor(colour.darker());
            }
            series = scatter;
        } else {
            auto* line = new QLineSeries;
            QPen pen(colour);
            pen.setWidthF(s.style == Style::Sticks ? 1.2 : 2.0);
            if (s.dashed)
                pen.setStyle(Qt::DashLine);
            line->setPen(pen);
            series = line;
        }
        QList<QPointF> points;
        for (std::size_t i = 0; i < s.x.size() && i < s.y.size(); ++i) {
            const double px = s.x[i], py = s.y[i];
            if (!std::isfinite(px) || !std::isfinite(py))
                continue;  // not available: not drawn
            if (a == 1 && y2Log && !(py > 0.0))
                continue;  // no place on a log scale
            if (s.style == Style::Sticks)
                points << QPointF(px, 0) << QPointF(px, py) << QPointF(px, 0);
            else
                points << QPointF(px, py);
            if (a == 1 && y2Log) {
                logLo = std::min(logLo, py);
                logHi = std::max(logHi, py);
            } else if (px >= xmin && px <= xmax) {
                lo[a] = std::min(lo[a], py);
                hi[a] = std::max(hi[a], py);
            }
        }
        series->replace(points);
        series->setName(qs(s.name));
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(a == 1 ? right : y);
        if (!s.name.empty())
            (s.style == Style::Marker ? marks : legend)
                .push_back({qs(s.name), colour, s.style, s.dashed});
    }
    auto r = paddedRange(lo[0], hi[0]);
    setSafeRange(y, r.first, r.second);
    roundTicks(y, 5);
    if (y2) {
        // The sticks' axis keeps the zero level of the curve's axis.
        auto r2 = paddedRange(lo[1], hi[1]);
        const double ratio = r.first < 0 ? -r.first / r.second : 0.0;
        double top = std::max(r2.second, r2.first < 0 ? -r2.first / std::max(ratio, 1e-9) : 0.0);
        setSafeRange(y2, -ratio * top, top);
        roundTicks(y2, 5);
        y2->setGridLineVisible(false);
    }
    if (y2Log) {
        // Whole decades around the values.
        double a = logHi > 0.0 ? std::floor(std::log10(logLo)) : -6.0;
        double b = logHi > 0.0 ? std::ceil(std::log10(logHi)) : 0.0;
        if (!std::isfinite(a) || !std::isfinite(b) || a < -300.0 || b > 300.0) {
            a = -6.0;
            b = 0.0;
        }
        if (b <= a)
            b = a + 1.0;
        y2Log->setRange(std::pow(10.0, a), std::pow(10.0, b));
        y2Log->setMinorTickCount(-1);
    }
    legend.insert(legend.end(), marks.begin(), marks.end());
    if (!legend.empty()) {
        auto* flow = new FlowLegend(chart, std::move(legend));
        flow->setZValue(10);
        QObject::connect(chart, &QGraphicsWidget::geometryChanged, chart,
                         [flow] { flow->relayout(); });
        flow->relayout();
    }
    return chart;
}

}  // namespace zerlant::plot
