#include "gui/plots/render/chartbuilder.hpp"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace zerlant::plots {

namespace {

QColor colourOf(int index) {
    static const QColor palette[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                     QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
                                     QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
                                     QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};
    if (index < 0)
        return QColor(0x30, 0x30, 0x30);
    return palette[index % 8];
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A range that holds [lo, hi] and 0, with room above and below.
std::pair<double, double> paddedRange(double lo, double hi) {
    lo = std::min(lo, 0.0);
    hi = std::max(hi, 0.0);
    if (hi == lo)
        hi = lo + 1.0;
    const double pad = (hi - lo) * 0.06;
    return {lo < 0.0 ? lo - pad : 0.0, hi + pad};
}

// A step of 1, 2 or 5 times a power of ten that cuts `span` into about `parts`.
double niceStep(double span, int parts) {
    const double raw = std::abs(span) / parts;
    if (!(raw > 0.0))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

// Ticks on round values inside the axis' range, labelled with as many
// decimals as the step needs.
void roundTicks(QValueAxis* axis, int parts) {
    const double step = niceStep(axis->max() - axis->min(), parts);
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

QChart* buildChart(const plotdata::PlotScene& scene, char decimalSeparator) {
    using Style = plotdata::Series::Style;
    auto* chart = new QChart;
    QLocale locale = decimalSeparator == ',' ? QLocale(QLocale::Spanish) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->setLocalizeNumbers(decimalSeparator == ',');
    QString title = "<b>" + qs(scene.title).toHtmlEscaped() + "</b>";
    if (!scene.note.empty())
        title += "<br><span style=\"font-size:9pt\">" + qs(scene.note).toHtmlEscaped() + "</span>";
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(6, 6, 6, 6));

    auto* x = valueAxis(qs(scene.xTitle));
    x->setRange(scene.xRange.first, scene.xRange.second);
    x->setReverse(scene.reverseX);
    roundTicks(x, 8);
    auto* y = valueAxis(qs(scene.yTitle));
    QValueAxis* y2 = scene.y2Title.empty() ? nullptr : valueAxis(qs(scene.y2Title));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    if (y2)
        chart->addAxis(y2, Qt::AlignRight);

    double lo[2] = {0, 0}, hi[2] = {0, 0};
    const double xmin = std::min(scene.xRange.first, scene.xRange.second);
    const double xmax = std::max(scene.xRange.first, scene.xRange.second);
    for (const auto& s : scene.series) {
        const int a = s.secondAxis && y2 ? 1 : 0;
        QXYSeries* series = nullptr;
        const QColor colour = colourOf(s.colour);
        if (s.style == Style::Points || s.style == Style::Marker) {
            auto* scatter = new QScatterSeries;
            if (s.style == Style::Marker) {
                scatter->setMarkerShape(QScatterSeries::MarkerShapeStar);
                scatter->setMarkerSize(22);
                scatter->setColor(QColor(0xe0, 0x20, 0x20));
                scatter->setBorderColor(Qt::black);
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
            if (s.style == Style::Sticks) {
                points << QPointF(px, 0) << QPointF(px, py) << QPointF(px, 0);
            } else {
                points << QPointF(px, py);
            }
            if (px >= xmin && px <= xmax) {
                lo[a] = std::min(lo[a], py);
                hi[a] = std::max(hi[a], py);
            }
        }
        series->replace(points);
        series->setName(qs(s.name));
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(a == 1 ? y2 : y);
        if (s.name.empty())
            for (auto* marker : chart->legend()->markers(series)) marker->setVisible(false);
    }
    auto r = paddedRange(lo[0], hi[0]);
    y->setRange(r.first, r.second);
    roundTicks(y, 5);
    if (y2) {
        // The sticks' axis keeps the zero level of the curve's axis.
        auto r2 = paddedRange(lo[1], hi[1]);
        const double ratio = r.first < 0 ? -r.first / r.second : 0.0;
        double top = std::max(r2.second, r2.first < 0 ? -r2.first / std::max(ratio, 1e-9) : 0.0);
        y2->setRange(-ratio * top, top);
        roundTicks(y2, 5);
        y2->setGridLineVisible(false);
    }
    const int named = static_cast<int>(std::count_if(
        scene.series.begin(), scene.series.end(), [](const auto& s) { return !s.name.empty(); }));
    chart->legend()->setVisible(named > 0);
    return chart;
}

bool imageFormatOf(const QString& path, ImageFormat& format) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "png")
        format = ImageFormat::Png;
    else if (ext == "svg")
        format = ImageFormat::Svg;
    else if (ext == "pdf")
        format = ImageFormat::Pdf;
    else
        return false;
    return true;
}

bool saveChart(QChart* chart, const QString& path, ImageFormat format, QSize size) {
    // The chart is laid out in a scene of its own for the drawing and given
    // back to its former scene (a view's) afterwards.
    QGraphicsScene* previous = chart->scene();
    const QRectF oldGeometry = chart->geometry();
    QGraphicsScene scene;
    if (previous)
        previous->removeItem(chart);
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
    scene.setSceneRect(QRectF(QPointF(0, 0), QSizeF(size)));
    // The axes lay out their labels on posted events.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    bool ok = false;
    switch (format) {
        case ImageFormat::Png: {
            QImage image(size * 2, QImage::Format_ARGB32);
            image.setDevicePixelRatio(2.0);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), scene.sceneRect());
            }
            ok = image.save(path, "PNG");
            break;
        }
        case ImageFormat::Svg: {
            QSvgGenerator svg;
            svg.setFileName(path);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(chart->title());
            QPainter painter;
            if (painter.begin(&svg)) {
                scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), scene.sceneRect());
                ok = painter.end();
            }
            break;
        }
        case ImageFormat::Pdf: {
            QPdfWriter pdf(path);
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter;
            if (painter.begin(&pdf)) {
                painter.setRenderHint(QPainter::Antialiasing);
                scene.render(&painter, QRectF(painter.viewport()), scene.sceneRect());
                ok = painter.end();
            }
            break;
        }
    }
    scene.removeItem(chart);
    if (previous) {
        previous->addItem(chart);
        chart->setGeometry(oldGeometry);
    }
    // A writer that failed may still leave an empty file behind.
    if (ok)
        ok = QFileInfo(path).exists() && QFileInfo(path).size() > 0;
    return ok;
}

}  // namespace zerlant::plots
