#include "gui/plots/plotwindow.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include "core/files/filetext.hpp"
#include "core/plotdata/boltzmann.hpp"
#include "core/plotdata/curvecsv.hpp"
#include "core/plotdata/measured.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/messages.hpp"
#include "plot/chartbuilder.hpp"
#include "plot/mapchart.hpp"
#include "plot/plotimage.hpp"

namespace zerlant::gui {

using namespace zerlant::plotdata;

namespace {

QLocale numberLocale(char decimal) {
    QLocale l = decimal == ',' ? QLocale(QLocale::Spanish) : QLocale::c();
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

// The map of a two-coordinate scan, drawn at the widget's size.
class MapView : public QWidget {
  public:
    MapView(const std::optional<MapScene>& map, char decimal, QWidget* parent)
        : QWidget(parent), map_(map), decimal_(decimal) {
        setObjectName("mapView");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (map_)
            plot::paintMap(painter, QRectF(rect()), *map_, decimal_);
    }

  private:
    const std::optional<MapScene>& map_;
    char decimal_;
};

}  // namespace

PlotWindow::PlotWindow(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), dialogs_(dialogs) {
    setObjectName("plotWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1100, 700);

    view_ = new QChartView(this);
    view_->setObjectName("chartView");
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setRubberBand(QChartView::RectangleRubberBand);

    const QLocale locale = numberLocale(app.decimalSeparator());
    widthLabel_ = new QLabel(app.msg(Msg::PlotWidth, ":"), this);
    width_ = new QDoubleSpinBox(this);
    width_->setObjectName("widthBox");
    width_->setLocale(locale);
    scaleLabel_ = new QLabel(app.msg(Msg::ScaleFactor, ":"), this);
    scale_ = new QDoubleSpinBox(this);
    scale_->setObjectName("scaleBox");
    scale_->setLocale(locale);
    scale_->setDecimals(4);
    scale_->setRange(0.5, 1.5);
    scale_->setSingleStep(0.001);
    scale_->setValue(1.0);
    unitLabel_ = new QLabel(app.msg(Msg::PlotUnit, ":"), this);
    unit_ = new QComboBox(this);
    unit_->setObjectName("unitBox");
    unit_->addItem("nm", static_cast<int>(Unit::Nanometre));
    unit_->addItem("eV", static_cast<int>(Unit::ElectronVolt));
    unit_->addItem(QString::fromUtf8("cm⁻¹"), static_cast<int>(Unit::Wavenumber));

    boltzmann_ = new QCheckBox(app.msg(Msg::BoltzmannSum), this);
    boltzmann_->setObjectName("boltzmannCheck");
    boltzmann_->setVisible(false);
    measuredButton_ = new QPushButton(app.msg(Msg::OverlayMeasured), this);
    measuredButton_->setObjectName("measuredButton");
    auto* zoom = new QPushButton(app.msg(Msg::ResetZoom), this);
    zoom->setObjectName("resetZoomButton");
    auto* image = new QPushButton(app.msg(Msg::SaveImage), this);
    image->setObjectName("saveImageButton");
    auto* csv = new QPushButton(app.msg(Msg::SaveCurveCsv), this);
    csv->setObjectName("saveCsvButton");

    viewLabel_ = new QLabel(app.msg(Msg::View, ":"), this);
    viewChoice_ = new QComboBox(this);
    viewChoice_->setObjectName("viewBox");
    viewChoice_->addItem(app.msg(Msg::Curves));
    viewChoice_->addItem(app.msg(Msg::Map));
    viewLabel_->setVisible(false);
    viewChoice_->setVisible(false);
    mapView_ = new MapView(map_, app.decimalSeparator(), this);
    stack_ = new QStackedWidget(this);
    stack_->addWidget(view_);
    stack_->addWidget(mapView_);

    auto* controls = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{widthLabel_, width_, scaleLabel_, scale_, unitLabel_,
                                         unit_, viewLabel_, viewChoice_, boltzmann_})
        controls->addWidget(w);
    controls->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{measuredButton_, zoom, image, csv})
        controls->addWidget(w);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(stack_, 1);

    connect(width_, &QDoubleSpinBox::valueChanged, this, &PlotWindow::settingsChanged);
    connect(scale_, &QDoubleSpinBox::valueChanged, this, &PlotWindow::settingsChanged);
    connect(unit_, &QComboBox::currentIndexChanged, this, &PlotWindow::settingsChanged);
    connect(boltzmann_, &QCheckBox::toggled, this, &PlotWindow::settingsChanged);
    connect(viewChoice_, &QComboBox::currentIndexChanged, stack_, &QStackedWidget::setCurrentIndex);
    connect(measuredButton_, &QPushButton::clicked, this, &PlotWindow::chooseMeasured);
    connect(zoom, &QPushButton::clicked, this, &PlotWindow::resetZoom);
    connect(image, &QPushButton::clicked, this, &PlotWindow::chooseImage);
    connect(csv, &QPushButton::clicked, this, &PlotWindow::chooseCsv);
}

void PlotWindow::showSpectrum(Kind kind, std::vector<NamedSticks> files,
                              std::vector<Conformer> conformers) {
    scan_ = false;
    files_ = std::move(files);
    conformers_ =
        conformers.size() == files_.size() ? std::move(conformers) : std::vector<Conformer>{};
    {
        const QSignalBlocker quiet(boltzmann_);
        boltzmann_->setChecked(false);
    }
    // Weights need two files at least, each with its energy and geometry.
    boltzmann_->setVisible(files_.size() > 1 && !conformers_.empty());
    settings_ = defaultSettings(kind);
    const bool vibrational = isVibrational(kind);
    {
        const QSignalBlocker a(width_), b(scale_), c(unit_);
        if (vibrational) {
            width_->setDecimals(1);
            width_->setRange(0.5, 500.0);
            width_->setSingleStep(1.0);
            width_->setSuffix(QString::fromUtf8(" cm⁻¹"));
            width_->setToolTip(app_.msg(Msg::LorentzianWidth));
        } else {
            width_->setDecimals(3);
            width_->setRange(0.01, 3.0);
            width_->setSingleStep(0.05);
            width_->setSuffix(" eV");
            width_->setToolTip(app_.msg(Msg::GaussianSigma));
        }
        width_->setValue(settings_.width);
        scale_->setValue(1.0);
        unit_->setCurrentIndex(0);
    }
    for (QWidget* w : {static_cast<QWidget*>(scaleLabel_), static_cast<QWidget*>(scale_)})
        w->setVisible(vibrational);
    for (QWidget* w : {static_cast<QWidget*>(unitLabel_), static_cast<QWidget*>(unit_)})
        w->setVisible(!vibrational);
    widthLabel_->setVisible(true);
    width_->setVisible(true);
    measuredButton_->setVisible(true);
    rebuild();
}

void PlotWindow::showScan(std::vector<ScanProfile> profiles) {
    scan_ = true;
    profiles_ = std::move(profiles);
    for (QWidget* w :
         std::initializer_list<QWidget*>{widthLabel_, width_, scaleLabel_, scale_, unitLabel_,
                                         unit_, measuredButton_, boltzmann_})
        w->setVisible(false);
    map_.reset();
    for (const auto& p : profiles_)
        if ((map_ = scanMapScene(p, app_.lookup(), app_.decimalSeparator())))
            break;
    viewLabel_->setVisible(map_.has_value());
    viewChoice_->setVisible(map_.has_value());
    if (!map_)
        viewChoice_->setCurrentIndex(0);
    mapView_->update();
    rebuild();
}

bool PlotWindow::showingMap() const {
    return map_ && stack_->currentIndex() == 1;
}

void PlotWindow::settingsChanged() {
    if (scan_)
        return;
    settings_.width = width_->value();
    settings_.scale = scale_->value();
    if (!isVibrational(settings_.kind))
        settings_.unit = static_cast<Unit>(unit_->currentData().toInt());
    rebuild();
}

void PlotWindow::rebuild() {
    const MessageLookup lookup = app_.lookup();
    const char decimal = app_.decimalSeparator();
    scene_ = scan_ ? scanScene(profiles_, lookup, decimal)
                   : spectrumScene(!conformers_.empty() && boltzmann_->isChecked()
                                       ? boltzmannSpectra(files_, conformers_, EnsembleSettings{},
                                                          PopulationEnergy::E)
                                       : files_,
                                   settings_, lookup, measured_, decimal);
    setWindowTitle(QString::fromStdString(scene_.title) + " - " + app_.title());
    QChart* old = view_->chart();
    view_->setChart(plot::buildChart(scene_, app_.decimalSeparator()));
    delete old;
}

void PlotWindow::resetZoom() {
    view_->chart()->zoomReset();
}

bool PlotWindow::overlayMeasured(const QString& path) {
    auto curve = readMeasured(path.toStdString());
    if (!curve) {
        // NoPairsFound: the file holds no point, in the user's language.
        const QString text = curve.error().message == plotdata::kNoPairsFound
                                 ? app_.msg(Msg::NoPairsFound).arg(QDir::toNativeSeparators(path))
                                 : QString::fromStdString(curve.error().describe());
        dialogs_.message(this, Dialogs::Icon::Critical, app_.title(), text);
        return false;
    }
    measured_ = MeasuredOverlay{QFileInfo(path).fileName().toStdString(), std::move(*curve)};
    dialogs_.addRunFile(path.toStdString());  // no save dialog may replace it
    rebuild();
    return true;
}

void PlotWindow::fail(const QString& path) {
    dialogs_.message(this, Dialogs::Icon::Critical, app_.title(),
                     app_.msg(Msg::FileNotSaved) + "\n" + path);
}

bool PlotWindow::saveImage(const QString& chosen) {
    QString path = chosen;
    auto format = plot::imageFormatOf(path.toStdString());
    if (!format) {
        path += ".png";
        format = plot::ImageFormat::Png;
    }
    std::optional<std::string> bytes;
    if (showingMap()) {
        bytes = plot::mapBytes(*map_, *format, QSize(1000, 800), app_.decimalSeparator());
    } else {
        // A chart of its own, zoomed as the one shown, so the view keeps its chart.
        std::unique_ptr<QChart> chart(plot::buildChart(scene_, app_.decimalSeparator()));
        const auto shownAxes = view_->chart()->axes();
        const auto newAxes = chart->axes();
        for (int i = 0; i < shownAxes.size() && i < newAxes.size(); ++i) {
            auto* from = qobject_cast<QValueAxis*>(shownAxes[i]);
            auto* to = qobject_cast<QValueAxis*>(newAxes[i]);
            if (from && to)
                to->setRange(from->min(), from->max());
        }
        bytes = plot::chartBytes(chart.get(), *format, QSize(1200, 750), scene_.title);
    }
    if (!bytes || !writeFileAtomically(path.toStdString(), *bytes)) {
        fail(path);
        return false;
    }
    return true;
}

bool PlotWindow::saveCsv(const QString& path) {
    const std::string text = scan_ ? scanCsv(profiles_) : sceneCsv(scene_, settings_);
    if (!writeFileAtomically(path.toStdString(), text)) {
        fail(path);
        return false;
    }
    return true;
}

void PlotWindow::chooseMeasured() {
    const QString path =
        QFileDialog::getOpenFileName(this, app_.msg(Msg::OverlayMeasured), dialogs_.startFolder(),
                                     app_.msg(Msg::MeasuredFilter));
    if (!path.isEmpty())
        overlayMeasured(path);
}

void PlotWindow::chooseImage() {
    const QString suggested =
        QDir(dialogs_.startFolder()).filePath(QString::fromStdString(scene_.title) + ".png");
    const QString path = dialogs_.saveFileNameAsking(this, app_.msg(Msg::SaveImage), suggested,
                                                     "PNG (*.png);;SVG (*.svg);;PDF (*.pdf)",
                                                     app_.title(), app_.msg(Msg::ReplaceQuestion));
    if (!path.isEmpty())
        saveImage(path);
}

void PlotWindow::chooseCsv() {
    const QString suggested =
        QDir(dialogs_.startFolder()).filePath(QString::fromStdString(scene_.title) + ".csv");
    const QString path =
        dialogs_.saveFileNameAsking(this, app_.msg(Msg::SaveCurveCsv), suggested, "CSV (*.csv)",
                                    app_.title(), app_.msg(Msg::ReplaceQuestion));
    if (!path.isEmpty())
        saveCsv(path);
}

}  // namespace zerlant::gui
