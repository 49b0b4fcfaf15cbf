#include "plot/plotimage.hpp"

#include <QApplication>
#include <QBuffer>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/files/filetext.hpp"
#include "plot/chartbuilder.hpp"
#include "plot/mapchart.hpp"

namespace zerlant::plot {

namespace {

// Draws `paint` over a canvas of `size` into the bytes of a file.
std::optional<std::string> render(ImageFormat format, QSize size, const std::string& title,
                                  const std::function<void(QPainter&, const QRectF&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF canvas(QPointF(0, 0), QSizeF(size));
    bool ok = false;
    switch (format) {
        case ImageFormat::Png: {
            QImage image(size * 2, QImage::Format_ARGB32);
            image.setDevicePixelRatio(2.0);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                painter.setRenderHint(QPainter::Antialiasing);
                paint(painter, canvas);
            }
            ok = image.save(&buffer, "PNG");
            break;
        }
        case ImageFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            // Written into <title> as it stands: it must be escaped text.
            svg.setTitle(QString::fromStdString(title).toHtmlEscaped());
            QPainter painter;
            if (painter.begin(&svg)) {
                paint(painter, canvas);
                ok = painter.end();
            }
            break;
        }
        case ImageFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setTitle(QString::fromStdString(title));
            pdf.setResolution(96);
            pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter;
            if (painter.begin(&pdf)) {
                painter.setRenderHint(QPainter::Antialiasing);
                const QRectF page(painter.viewport());
                painter.scale(page.width() / size.width(), page.height() / size.height());
                paint(painter, canvas);
                ok = painter.end();
            }
            break;
        }
    }
    buffer.close();
    if (!ok || bytes.isEmpty())
        return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

Status written(const std::optional<std::string>& bytes, const std::string& path) {
    if (!bytes)
        return Error{"the image could not be drawn", path};
    return writeFileAtomically(path, *bytes);
}

}  // namespace

std::optional<ImageFormat> imageFormatOf(const std::string& path) {
    const std::string ext = lowerExtension(path);
    if (ext == ".png")
        return ImageFormat::Png;
    if (ext == ".svg")
        return ImageFormat::Svg;
    if (ext == ".pdf")
        return ImageFormat::Pdf;
    return std::nullopt;
}

std::optional<std::string> chartBytes(QChart* chart, ImageFormat format, QSize size,
                                      const std::string& title) {
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
    auto bytes = render(format, size, title, [&](QPainter& painter, const QRectF& canvas) {
        scene.render(&painter, canvas, scene.sceneRect());
    });
    scene.removeItem(chart);
    if (previous) {
        previous->addItem(chart);
        chart->setGeometry(oldGeometry);
    }
    return bytes;
}

std::optional<std::string> mapBytes(const plotdata::MapScene& map, ImageFormat format, QSize size,
                                    char decimalSeparator) {
    return render(format, size, map.title, [&](QPainter& painter, const QRectF& canvas) {
        paintMap(painter, canvas, map, decimalSeparator);
    });
}

std::unique_ptr<QApplication> startApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    // Drawing needs no display: the offscreen platform works on any server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notices (no runtime folder, fonts) are not the user's business.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "zerlant-cli: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "zerlant-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

Status writePlotImage(const plotdata::PlotScene& scene, const std::string& path,
                      char decimalSeparator, QSize size) {
    const auto format = imageFormatOf(path);
    if (!format)
        return Error{"the image name must end in .png, .svg or .pdf", path};
    const auto app = startApplication();
    std::unique_ptr<QChart> chart(buildChart(scene, decimalSeparator));
    return written(chartBytes(chart.get(), *format, size, scene.title), path);
}

Status writeMapImage(const plotdata::MapScene& map, const std::string& path, char decimalSeparator,
                     QSize size) {
    const auto format = imageFormatOf(path);
    if (!format)
        return Error{"the image name must end in .png, .svg or .pdf", path};
    const auto app = startApplication();
    return written(mapBytes(map, *format, size, decimalSeparator), path);
}

}  // namespace zerlant::plot
