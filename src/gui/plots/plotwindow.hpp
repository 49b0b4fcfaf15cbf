#pragma once
// A plot window: a spectrum (IR, Raman, UV-Vis, ECD) of one or more files, or
// the profile of potential-surface scans.  The width, the scale factor and
// the x unit can be changed; a measured spectrum can be laid over the
// computed one; the plot zooms with the mouse and is saved as PNG, SVG or
// PDF, its curve as CSV.  A scan of two coordinates shows as a family of
// curves or as a map with contour lines.

#include <QWidget>
#include <optional>
#include <vector>

#include "core/ensemble/ensemble.hpp"
#include "core/plotdata/plotscene.hpp"

class QChartView;
class QCheckBox;
class QComboBox;
class QStackedWidget;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace zerlant::gui {

class AppContext;
class Dialogs;

class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    PlotWindow(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);

    // `conformers[i]`, when given for every file, lets the spectra be
    // weighted by their Boltzmann populations (from E) and summed.
    void showSpectrum(plotdata::Kind kind, std::vector<plotdata::NamedSticks> files,
                      std::vector<Conformer> conformers = {});
    void showScan(std::vector<plotdata::ScanProfile> profiles);

    const plotdata::PlotScene& scene() const { return scene_; }
    const plotdata::Settings& settings() const { return settings_; }
    QChartView* chartView() const { return view_; }
    QDoubleSpinBox* widthBox() const { return width_; }
    QDoubleSpinBox* scaleBox() const { return scale_; }
    QComboBox* unitBox() const { return unit_; }
    QCheckBox* boltzmannCheck() const { return boltzmann_; }
    // Curves or map of a scan of two coordinates; hidden otherwise.
    QComboBox* viewBox() const { return viewChoice_; }
    bool showingMap() const;

  public slots:
    // Lays a measured spectrum over the computed one; false (after a message)
    // when it cannot be read.
    bool overlayMeasured(const QString& path);
    // Writes the plot as shown (zoom included); the format by the extension,
    // PNG when there is none.  False after a message when it cannot be written.
    bool saveImage(const QString& path);
    bool saveCsv(const QString& path);
    void resetZoom();

  private slots:
    void chooseMeasured();
    void chooseImage();
    void chooseCsv();
    void settingsChanged();

  private:
    void rebuild();
    void fail(const QString& path);

    const AppContext& app_;
    Dialogs& dialogs_;
    bool scan_ = false;
    plotdata::Settings settings_;
    std::vector<plotdata::NamedSticks> files_;
    std::vector<Conformer> conformers_;  // of files_, or none
    std::vector<plotdata::ScanProfile> profiles_;
    std::optional<plotdata::MeasuredOverlay> measured_;
    plotdata::PlotScene scene_;
    std::optional<plotdata::MapScene> map_;  // of the first scan of two coordinates

    QChartView* view_ = nullptr;
    QLabel* widthLabel_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QLabel* scaleLabel_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
    QLabel* unitLabel_ = nullptr;
    QComboBox* unit_ = nullptr;
    QPushButton* measuredButton_ = nullptr;
    QCheckBox* boltzmann_ = nullptr;
    QLabel* viewLabel_ = nullptr;
    QComboBox* viewChoice_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QWidget* mapView_ = nullptr;
};

}  // namespace zerlant::gui
