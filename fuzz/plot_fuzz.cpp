// Fuzz target: a Gaussian output through the plot data (scan points, the
// lines of every spectrum kind, curves, CSV) and, when built with Qt, the
// drawing of each plot and map as SVG.

#include <cstdint>

#include "core/language/messages.hpp"
#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/plotscene.hpp"
#include "core/plotdata/sources.hpp"
#include "core/scan/scanrun.hpp"
#include "fuzzfile.hpp"

#ifdef ZERLANT_FUZZ_RENDER
#include <QApplication>
#include <QtCharts/QChart>
#include <memory>

#include "plot/chartbuilder.hpp"
#include "plot/plotimage.hpp"
#endif

using namespace zerlant;
using namespace zerlant::plotdata;

namespace {

void draw([[maybe_unused]] const PlotScene& scene,
          [[maybe_unused]] const std::optional<MapScene>& map) {
#ifdef ZERLANT_FUZZ_RENDER
    // The application lives until the process ends: destroying it from the
    // exit handlers runs after Qt's own teardown and reads freed state.
    [[maybe_unused]] static QApplication* const app = plot::startApplication().release();
    std::unique_ptr<QChart> chart(plot::buildChart(scene, ','));
    (void)plot::chartBytes(chart.get(), plot::ImageFormat::Svg, QSize(400, 300), scene.title);
    if (map)
        (void)plot::mapBytes(*map, plot::ImageFormat::Svg, QSize(400, 300), ',');
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".log");
    static const MessageLookup messages =
        lookupWithFallback(deliveredLanguageFile(), kFallbackLanguage);
    file.write(data, size);
    if (auto run = runScan(file.rows(), messages, ',')) {
        const auto profiles = scanProfiles(run->files);
        (void)scanCsv(profiles);
        std::optional<MapScene> map;
        for (const auto& p : profiles)
            if ((map = scanMapScene(p, messages, ',')))
                break;
        draw(scanScene(profiles, messages, ','), map);
    }
    for (Kind kind : {Kind::Ir, Kind::Raman, Kind::Uv, Kind::Ecd}) {
        auto sticks = sticksFromFile(file.path(), kind);
        if (!sticks || sticks->empty())
            continue;
        const Settings s = defaultSettings(kind);
        const PlotScene scene = spectrumScene({{"input.log", *sticks}}, s, messages, {}, ',');
        (void)sceneCsv(scene, s);
        draw(scene, std::nullopt);
    }
    return 0;
}
