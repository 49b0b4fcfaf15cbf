#include "gui/plots/render/plotfile.hpp"

#include <QApplication>
#include <QtCharts/QChart>
#include <cstdio>
#include <memory>

#include "gui/plots/render/chartbuilder.hpp"

namespace zerlant::plots {

std::string writePlotImage(const plotdata::PlotScene& scene, const std::string& path,
                           char decimalSeparator, int width, int height) {
    const QString file = QString::fromStdString(path);
    ImageFormat format{};
    if (!imageFormatOf(file, format))
        return "the image name must end in .png, .svg or .pdf";
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
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
        app = std::make_unique<QApplication>(argc, argv);
    }
    std::unique_ptr<QChart> chart(buildChart(scene, decimalSeparator));
    const bool ok = saveChart(chart.get(), file, format, QSize(width, height));
    chart.reset();
    return ok ? std::string() : "cannot write the image";
}

}  // namespace zerlant::plots
