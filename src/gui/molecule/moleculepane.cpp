#include "gui/molecule/moleculepane.hpp"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/files/atomicwrite.hpp"
#include "core/molecule/geometry.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/messages.hpp"
#include "gui/molecule/convergenceplot.hpp"
#include "gui/molecule/structurecanvas.hpp"

namespace zerlant::gui {

using namespace zerlant::molecule;

namespace {

constexpr int kModeFrames = 20;                  // frames of one period of a mode
constexpr int kWatchInterval = 1000;             // ms between looks at a watched file
constexpr std::uint64_t kPollLimit = 64u << 20;  // bytes read per look while watching

QString decimal(double value, int decimals, char separator) {
    QString text = QString::number(value, 'f', decimals);
    text.replace(QLatin1Char('.'), QLatin1Char(separator));
    return text;
}

}  // namespace

MoleculePane::MoleculePane(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    setObjectName("moleculePane");
    fileLabel_ = new QLabel(this);
    fileLabel_->setObjectName("structureFile");
    fileLabel_->setTextFormat(Qt::PlainText);
    fileLabel_->setMinimumWidth(40);
    fileLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    watch_ = new QCheckBox(this);
    watch_->setObjectName("structureWatch");
    watch_->setEnabled(false);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName("structureStatus");
    statusLabel_->setTextFormat(Qt::PlainText);
    statusLabel_->setWordWrap(true);
    labels_ = new QCheckBox(this);
    labels_->setObjectName("structureLabels");
    reset_ = new QPushButton(this);
    reset_->setObjectName("structureReset");
    save_ = new QPushButton(this);
    save_->setObjectName("structureSave");
    copy_ = new QPushButton(this);
    copy_->setObjectName("structureCopyXyz");
    canvas_ = new StructureCanvas(this);

    // Normal modes.
    auto* modesPage = new QWidget(this);
    modes_ = new QListWidget(modesPage);
    modes_->setObjectName("modeList");
    noModes_ = new QLabel(modesPage);
    noModes_->setWordWrap(true);
    amplitudeLabel_ = new QLabel(modesPage);
    amplitude_ = new QDoubleSpinBox(modesPage);
    amplitude_->setObjectName("modeAmplitude");
    amplitude_->setRange(0.05, 3.0);
    amplitude_->setSingleStep(0.05);
    amplitude_->setValue(0.5);
    speedLabel_ = new QLabel(modesPage);
    speed_ = new QSlider(Qt::Horizontal, modesPage);
    speed_->setObjectName("modeSpeed");
    speed_->setRange(1, 10);
    speed_->setValue(5);
    exportMode_ = new QPushButton(modesPage);
    exportMode_->setObjectName("exportModeXyz");
    auto* modesLayout = new QVBoxLayout(modesPage);
    modesLayout->setContentsMargins(4, 4, 4, 4);
    modesLayout->addWidget(noModes_);
    modesLayout->addWidget(modes_, 1);
    auto* amplitudeRow = new QHBoxLayout;
    amplitudeRow->addWidget(amplitudeLabel_);
    amplitudeRow->addWidget(amplitude_);
    modesLayout->addLayout(amplitudeRow);
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(speedLabel_);
    speedRow->addWidget(speed_, 1);
    modesLayout->addLayout(speedRow);
    modesLayout->addWidget(exportMode_);

    // Optimisation steps.
    auto* stepsPage = new QWidget(this);
    play_ = new QPushButton(stepsPage);
    play_->setObjectName("stepPlay");
    play_->setCheckable(true);
    stepSlider_ = new QSlider(Qt::Horizontal, stepsPage);
    stepSlider_->setObjectName("stepSlider");
    stepCaption_ = new QLabel(stepsPage);
    stepCaption_->setObjectName("stepCaption");
    stepCaption_->setWordWrap(true);
    plot_ = new ConvergencePlot(stepsPage);
    stepTable_ = new QTableWidget(stepsPage);
    stepTable_->setObjectName("stepTable");
    stepTable_->setColumnCount(6);
    stepTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stepTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    stepTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    stepTable_->verticalHeader()->hide();
    stepTable_->verticalHeader()->setDefaultSectionSize(stepTable_->fontMetrics().height() + 4);
    auto* stepsLayout = new QVBoxLayout(stepsPage);
    stepsLayout->setContentsMargins(4, 4, 4, 4);
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(play_);
    playRow->addWidget(stepSlider_, 1);
    stepsLayout->addLayout(playRow);
    stepsLayout->addWidget(stepCaption_);
    auto* stepSplit = new QSplitter(Qt::Vertical, stepsPage);
    stepSplit->addWidget(plot_);
    stepSplit->addWidget(stepTable_);
    stepSplit->setChildrenCollapsible(false);
    stepsLayout->addWidget(stepSplit, 1);

    side_ = new QTabWidget(this);
    side_->setObjectName("structureTabs");
    side_->setDocumentMode(true);
    side_->addTab(modesPage, QString());
    side_->addTab(stepsPage, QString());

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(split);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(canvas_, 1);
    split->addWidget(left);
    split->addWidget(side_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(fileLabel_, 1);
    top->addWidget(watch_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(statusLabel_);
    layout->addWidget(split, 1);
    // Under the view and the tabs both, so that the buttons keep their
    // width in a narrow pane.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(labels_);
    buttons->addWidget(reset_);
    buttons->addWidget(save_);
    buttons->addWidget(copy_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    modeTimer_ = new QTimer(this);
    playTimer_ = new QTimer(this);
    playTimer_->setInterval(400);
    watchTimer_ = new QTimer(this);
    watchTimer_->setInterval(kWatchInterval);
    connect(modeTimer_, &QTimer::timeout, this, &MoleculePane::modeTick);
    connect(playTimer_, &QTimer::timeout, this, &MoleculePane::playTick);
    connect(watchTimer_, &QTimer::timeout, this, &MoleculePane::pollNow);
    connect(labels_, &QCheckBox::toggled, canvas_, &StructureCanvas::setShowLabels);
    connect(reset_, &QPushButton::clicked, canvas_, &StructureCanvas::resetView);
    connect(save_, &QPushButton::clicked, this, &MoleculePane::saveImage);
    connect(copy_, &QPushButton::clicked, this, &MoleculePane::copyXyz);
    connect(exportMode_, &QPushButton::clicked, this, &MoleculePane::exportMode);
    connect(watch_, &QCheckBox::toggled, this, &MoleculePane::setWatching);
    connect(modes_, &QListWidget::currentRowChanged, this, &MoleculePane::showMode);
    connect(speed_, &QSlider::valueChanged, this,
            [this](int v) { modeTimer_->setInterval(400 / std::max(1, v)); });
    modeTimer_->setInterval(400 / speed_->value());
    connect(stepSlider_, &QSlider::valueChanged, this, &MoleculePane::showStep);
    connect(stepTable_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            showStep(row);
    });
    connect(plot_, &ConvergencePlot::stepClicked, this, &MoleculePane::showStep);
    connect(play_, &QPushButton::toggled, this, &MoleculePane::togglePlay);
    retranslate();
    clearFile();
}

MoleculePane::~MoleculePane() = default;

int MoleculePane::modeCount() const {
    return normalModes_ ? static_cast<int>(normalModes_->modes.size()) : 0;
}

int MoleculePane::stepCount() const {
    if (!follower_)
        return 0;
    return static_cast<int>(follower_->geometry().steps().size());
}

void MoleculePane::clearFile(const QString& why) {
    stopAnimation();
    setWatching(false);
    follower_.reset();
    path_.clear();
    finalAtoms_.clear();
    normalModes_.reset();
    fileLabel_->clear();
    canvas_->setAtoms({});
    refreshModes();
    refreshSteps();
    watch_->setEnabled(false);
    if (why.isEmpty())
        setStatus(Status::NoFile);
    else
        setStatus(Status::Unreadable, why);
}

void MoleculePane::loadFile(const QString& path) {
    stopAnimation();
    watchTimer_->stop();
    {
        const QSignalBlocker block(watch_);
        watch_->setChecked(false);
    }
    path_ = path;
    fileLabel_->setText(QFileInfo(path).fileName());
    fileLabel_->setToolTip(path);
    finalAtoms_.clear();
    normalModes_.reset();
    follower_ = std::make_unique<JobFollower>(path.toStdString());
    const zerlant::Status read = follower_->poll();
    if (!read) {
        canvas_->setAtoms({});
        follower_.reset();
        refreshModes();
        refreshSteps();
        watch_->setEnabled(false);
        setStatus(Status::Unreadable, QString::fromStdString(read.error().message));
        return;
    }
    refreshFromFollower(true);
}

void MoleculePane::refreshFromFollower(bool firstLoad) {
    const GeometryStream& g = follower_->geometry();
    const std::vector<CartesianAtom>& latest = g.latest();
    const bool running = follower_->state() == JobFollower::State::Reading;
    const bool animating = mode_ >= 0 || play_->isChecked();
    if (firstLoad || latest.size() != finalAtoms_.size()) {
        canvas_->setAtoms(latest);
    } else if (!animating && (shownStep_ < 0 || shownStep_ + 1 >= stepCount())) {
        canvas_->moveAtoms(latest);
    }
    finalAtoms_ = latest;
    refreshSteps();
    if (firstLoad || follower_->state() == JobFollower::State::Ended)
        refreshModes();
    watch_->setEnabled(running || watching());

    Status status = Status::None;
    switch (follower_->state()) {
        case JobFollower::State::Truncated:
            status = Status::Truncated;
            break;
        case JobFollower::State::Replaced:
            status = Status::Replaced;
            break;
        case JobFollower::State::Vanished:
            status = Status::Vanished;
            break;
        case JobFollower::State::Ended:
        case JobFollower::State::Reading:
            break;
    }
    // A table still being written is no fault while the job is watched.
    const bool damaged = g.damaged() || (g.cutPending() && !(running && watching()));
    if (status == Status::None) {
        if (latest.empty())
            status = damaged ? Status::Damaged : Status::NoCartesian;
        else if (damaged)
            status = Status::Damaged;
        else if (watching())
            status = Status::Watching;
    }
    setStatus(status);
}

void MoleculePane::refreshModes() {
    const int keep = mode_;
    stopAnimation();
    if (follower_ && !normalModes_)
        normalModes_ = follower_->geometry().normalModes();
    const QSignalBlocker block(modes_);
    modes_->clear();
    const char separator = app_.decimalSeparator();
    bool usable = false;
    if (normalModes_) {
        for (std::size_t i = 0; i < normalModes_->modes.size(); ++i) {
            const NormalMode& m = normalModes_->modes[i];
            const double f = m.properties[0];
            QString text = QString::number(i + 1) + "   " +
                           (std::isnan(f) ? QStringLiteral("?") : decimal(f, 2, separator)) +
                           QStringLiteral(" cm\u207B\u00B9");
            if (!m.symmetry.empty())
                text += "   " + QString::fromStdString(m.symmetry);
            if (f < 0)
                text += "   (" + app_.msg(Msg::Imaginary) + ")";
            auto* item = new QListWidgetItem(text, modes_);
            // A mode is shown only with a displacement for every atom.
            const bool whole = !finalAtoms_.empty() && m.displacements.size() == finalAtoms_.size();
            if (!whole)
                item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            if (f < 0)
                item->setForeground(QColor(190, 0, 30));
            usable = usable || whole;
        }
    }
    noModes_->setText(app_.msg(Msg::NoModes));
    noModes_->setVisible(modes_->count() == 0);
    exportMode_->setEnabled(usable);
    amplitude_->setEnabled(usable);
    speed_->setEnabled(usable);
    if (keep >= 0 && keep < modes_->count()) {
        modes_->setCurrentRow(keep);
        mode_ = keep;
        modeTimer_->start();
    }
}

void MoleculePane::refreshSteps() {
    const int n = stepCount();
    const int before = stepTable_->rowCount();
    const bool followEnd = shownStep_ < 0 || shownStep_ + 1 >= before;
    std::vector<OptimisationStep> steps;
    if (follower_)
        for (const GeometryStep& s : follower_->geometry().steps())
            steps.push_back(tableStep(s, s.number));
    const char separator = app_.decimalSeparator();
    const QSignalBlocker blockTable(stepTable_);
    stepTable_->setRowCount(n);
    // Rows already shown do not change: only new steps are added.
    for (int r = n < before ? 0 : before; r < n; ++r) {
        const OptimisationStep& s = steps[static_cast<std::size_t>(r)];
        auto* number = new QTableWidgetItem(QString::number(s.number) +
                                            (s.converged ? QStringLiteral("  \u2713") : QString()));
        if (s.converged) {
            QFont bold = number->font();
            bold.setBold(true);
            number->setFont(bold);
            number->setToolTip(app_.msg(Msg::Converged));
        }
        stepTable_->setItem(r, 0, number);
        stepTable_->setItem(
            r, 1, new QTableWidgetItem(s.energy ? decimal(*s.energy, 8, separator) : QString()));
        for (std::size_t c = 0; c < kCriteria; ++c) {
            const CriterionValue& v = s.criteria[c];
            QString text = v.value ? decimal(*v.value, 6, separator) : QStringLiteral("*");
            if (v.threshold)
                text += " / " + decimal(*v.threshold, 6, separator);
            auto* item = new QTableWidgetItem(text);
            if (v.met)
                item->setBackground(QColor(200, 238, 205));
            stepTable_->setItem(r, static_cast<int>(c) + 2, item);
        }
    }
    if (n != before)
        stepTable_->resizeColumnsToContents();
    plot_->setSteps(steps);
    {
        const QSignalBlocker blockSlider(stepSlider_);
        stepSlider_->setRange(0, std::max(0, n - 1));
        stepSlider_->setEnabled(n > 0);
    }
    play_->setEnabled(n > 1);
    if (n == 0) {
        shownStep_ = -1;
    } else if (watching() && followEnd && n != before && mode_ < 0 && !play_->isChecked()) {
        // A watched job: the newest step comes into view as it is read.
        shownStep_ = n - 1;
        const QSignalBlocker blockSlider(stepSlider_);
        stepSlider_->setValue(shownStep_);
        stepTable_->selectRow(shownStep_);
    } else if (shownStep_ >= n) {
        shownStep_ = -1;
    }
    plot_->setCurrent(shownStep_);
    updateStepCaption();
}

void MoleculePane::updateStepCaption() {
    const int n = stepCount();
    if (n == 0)
        stepCaption_->setText(app_.msg(Msg::NoSteps));
    else
        stepCaption_->setText(
            app_.msg(Msg::StepOf).arg(shownStep_ < 0 ? n : shownStep_ + 1).arg(n));
}

void MoleculePane::showStep(int index) {
    if (!follower_ || index < 0 || index >= stepCount())
        return;
    if (mode_ >= 0) {
        modeTimer_->stop();
        mode_ = -1;
        const QSignalBlocker block(modes_);
        modes_->setCurrentRow(-1);
        canvas_->setArrows({});
    }
    shownStep_ = index;
    canvas_->moveAtoms(follower_->geometry().steps()[static_cast<std::size_t>(index)].atoms);
    {
        const QSignalBlocker blockSlider(stepSlider_);
        stepSlider_->setValue(index);
    }
    {
        const QSignalBlocker blockTable(stepTable_);
        stepTable_->selectRow(index);
    }
    plot_->setCurrent(index);
    updateStepCaption();
}

void MoleculePane::togglePlay() {
    if (play_->isChecked()) {
        if (stepCount() < 2) {
            play_->setChecked(false);
            return;
        }
        if (shownStep_ < 0 || shownStep_ + 1 >= stepCount())
            showStep(0);
        playTimer_->start();
    } else {
        playTimer_->stop();
    }
    play_->setText(app_.msg(play_->isChecked() ? Msg::Pause : Msg::Play));
}

void MoleculePane::playTick() {
    const int next = shownStep_ + 1;
    if (next >= stepCount()) {
        play_->setChecked(false);
        return;
    }
    showStep(next);
}

void MoleculePane::showMode(int index) {
    if (play_->isChecked())
        play_->setChecked(false);
    modeTimer_->stop();
    if (!normalModes_ || index < 0 || index >= modeCount() ||
        normalModes_->modes[static_cast<std::size_t>(index)].displacements.size() !=
            finalAtoms_.size() ||
        finalAtoms_.empty()) {
        mode_ = -1;
        canvas_->setArrows({});
        if (!finalAtoms_.empty())
            canvas_->moveAtoms(finalAtoms_);
        return;
    }
    mode_ = index;
    shownStep_ = -1;
    plot_->setCurrent(-1);
    updateStepCaption();
    {
        const QSignalBlocker block(modes_);
        modes_->setCurrentRow(index);
    }
    modeFrame_ = 0;
    showModeFrame(0);
    modeTimer_->start();
}

void MoleculePane::showModeFrame(int frame) {
    if (mode_ < 0 || !normalModes_)
        return;
    modeFrame_ = ((frame % kModeFrames) + kModeFrames) % kModeFrames;
    const NormalMode& m = normalModes_->modes[static_cast<std::size_t>(mode_)];
    const double amplitude = amplitude_->value();
    canvas_->moveAtoms(modeFrame(finalAtoms_, m.displacements, amplitude, modeFrame_, kModeFrames));
    std::vector<Vec3> arrows;
    arrows.reserve(m.displacements.size());
    for (const auto& d : m.displacements)
        arrows.push_back({d[0] * amplitude, d[1] * amplitude, d[2] * amplitude});
    canvas_->setArrows(std::move(arrows));
}

void MoleculePane::modeTick() {
    showModeFrame(modeFrame_ + 1);
}

void MoleculePane::stopAnimation() {
    modeTimer_->stop();
    playTimer_->stop();
    if (play_->isChecked()) {
        const QSignalBlocker block(play_);
        play_->setChecked(false);
        play_->setText(app_.msg(Msg::Play));
    }
    mode_ = -1;
    canvas_->setArrows({});
}

bool MoleculePane::watching() const {
    return watchTimer_->isActive();
}

void MoleculePane::setWatching(bool on) {
    if (on && follower_ && follower_->state() == JobFollower::State::Reading) {
        watchTimer_->start();
        setStatus(Status::Watching);
        pollNow();
    } else {
        watchTimer_->stop();
        if (status_ == Status::Watching)
            setStatus(Status::None);
    }
    const QSignalBlocker block(watch_);
    watch_->setChecked(watching());
}

void MoleculePane::pollNow() {
    if (!follower_)
        return;
    const zerlant::Status read = follower_->poll(kPollLimit);
    if (!read) {
        setWatching(false);
        setStatus(Status::Unreadable, QString::fromStdString(read.error().message));
        return;
    }
    const JobFollower::State state = follower_->state();
    if (state != JobFollower::State::Reading) {
        watchTimer_->stop();
        const QSignalBlocker block(watch_);
        watch_->setChecked(false);
        watch_->setEnabled(false);
    }
    if (follower_->changed() || state != JobFollower::State::Reading)
        refreshFromFollower(false);
    if (state == JobFollower::State::Ended && status_ == Status::None)
        setStatus(Status::Ended);
}

void MoleculePane::setStatus(Status status, const QString& detail) {
    status_ = status;
    statusDetail_ = detail;
    const QString text = statusText();
    statusLabel_->setText(text);
    statusLabel_->setVisible(!text.isEmpty());
    // Why nothing is drawn, or what is wrong with what is, on the view too.
    const bool problem =
        status != Status::None && status != Status::Watching && status != Status::Ended;
    canvas_->setNotice(problem ? text : QString());
}

QString MoleculePane::statusText() const {
    switch (status_) {
        case Status::None:
            return {};
        case Status::NoFile:
            return app_.msg(Msg::NoStructureYet);
        case Status::Unreadable:
            return app_.msg(Msg::StructureUnreadable).arg(statusDetail_);
        case Status::NoCartesian:
            return app_.msg(Msg::NoCartesian);
        case Status::Damaged:
            return app_.msg(Msg::CoordinatesCut);
        case Status::Watching:
            return app_.msg(Msg::Watching);
        case Status::Ended:
            return app_.msg(Msg::WatchEnded);
        case Status::Truncated:
            return app_.msg(Msg::WatchTruncated);
        case Status::Replaced:
            return app_.msg(Msg::WatchReplaced);
        case Status::Vanished:
            return app_.msg(Msg::WatchVanished);
    }
    return {};
}

void MoleculePane::retranslate() {
    watch_->setText(app_.msg(Msg::StructureWatch));
    labels_->setText(app_.msg(Msg::StructureLabels));
    reset_->setText(app_.msg(Msg::StructureReset));
    save_->setText(app_.msg(Msg::StructureSaveImage));
    copy_->setText(app_.msg(Msg::StructureCopyXyz));
    side_->setTabText(0, app_.msg(Msg::NormalModes));
    side_->setTabText(1, app_.msg(Msg::OptimisationSteps));
    amplitudeLabel_->setText(app_.msg(Msg::ModeAmplitude));
    speedLabel_->setText(app_.msg(Msg::AnimationSpeed));
    exportMode_->setText(app_.msg(Msg::ExportModeXyz));
    play_->setText(app_.msg(play_->isChecked() ? Msg::Pause : Msg::Play));
    const QStringList criteria{app_.msg(Msg::MaximumForce), app_.msg(Msg::RmsForce),
                               app_.msg(Msg::MaximumDisplacement), app_.msg(Msg::RmsDisplacement)};
    stepTable_->setHorizontalHeaderLabels(
        QStringList{app_.msg(Msg::StepColumn), app_.msg(Msg::StepEnergy)} + criteria);
    plot_->setCriterionNames(criteria);
    canvas_->setMeasureCaptions(app_.msg(Msg::DistanceValue), app_.msg(Msg::AngleValue),
                                app_.msg(Msg::DihedralValue), QLatin1Char(app_.decimalSeparator()));
    canvas_->setToolTip(app_.msg(Msg::MeasureHint));
    // Texts made from messages: the mode list, the step caption, the status.
    const int mode = mode_;
    const int frame = modeFrame_;
    refreshModes();
    if (mode >= 0 && mode < modes_->count()) {
        showMode(mode);
        showModeFrame(frame);
    }
    {
        // The step table's texts are redrawn from the start.
        const QSignalBlocker block(stepTable_);
        stepTable_->setRowCount(0);
    }
    refreshSteps();
    updateStepCaption();
    setStatus(status_, statusDetail_);
}

void MoleculePane::saveImage() {
    if (canvas_->atoms().empty())
        return;
    const QFileInfo source(path_);
    const QString suggested =
        (source.absolutePath().isEmpty() ? dialogs_.startFolder() : source.absolutePath()) + "/" +
        source.completeBaseName() + ".png";
    const QString target = dialogs_.saveFileNameAsking(
        this, app_.msg(Msg::StructureSaveImage), suggested, app_.msg(Msg::PngFilter), app_.title(),
        app_.msg(Msg::ReplaceQuestion));
    if (target.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    QImage image = canvas_->image(canvas_->size() * ratio);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool encoded = image.save(&buffer, "PNG");
    const zerlant::Status written =
        encoded ? writeFileAtomically(target.toStdString(),
                                      std::string_view(bytes.constData(), bytes.size()),
                                      WriteRule::exportOf({path_.toStdString()}))
                : zerlant::Status(Error{"PNG", target.toStdString()});
    if (!written)
        dialogs_.message(
            this, Dialogs::Icon::Critical, app_.title(),
            app_.msg(Msg::NotWritten).arg(QString::fromStdString(written.error().describe())));
}

void MoleculePane::copyXyz() {
    if (canvas_->atoms().empty())
        return;
    QApplication::clipboard()->setText(QString::fromStdString(
        xyzBlock(canvas_->atoms(), QFileInfo(path_).fileName().toStdString())));
}

void MoleculePane::exportMode() {
    int index = mode_ >= 0 ? mode_ : modes_->currentRow();
    if (!normalModes_ || index < 0 || index >= modeCount() ||
        normalModes_->modes[static_cast<std::size_t>(index)].displacements.size() !=
            finalAtoms_.size())
        return;
    const QFileInfo source(path_);
    const QString suggested = source.absolutePath() + "/" + source.completeBaseName() + "_mode" +
                              QString::number(index + 1) + ".xyz";
    const QString target = dialogs_.saveFileNameAsking(
        this, app_.msg(Msg::ExportModeXyz), suggested, app_.msg(Msg::XyzFilter), app_.title(),
        app_.msg(Msg::ReplaceQuestion));
    if (target.isEmpty())
        return;
    const NormalMode& m = normalModes_->modes[static_cast<std::size_t>(index)];
    std::string bytes;
    char frequency[64];
    const auto printed = std::to_chars(frequency, frequency + sizeof frequency - 1, m.properties[0],
                                       std::chars_format::fixed, 2);
    *printed.ptr = '\0';
    for (int f = 0; f < kModeFrames; ++f)
        bytes +=
            xyzBlock(modeFrame(finalAtoms_, m.displacements, amplitude_->value(), f, kModeFrames),
                     source.fileName().toStdString() + " mode " + std::to_string(index + 1) + " " +
                         frequency + " cm-1 frame " + std::to_string(f + 1) + "/" +
                         std::to_string(kModeFrames));
    const zerlant::Status written = writeFileAtomically(target.toStdString(), bytes,
                                                        WriteRule::exportOf({path_.toStdString()}));
    if (!written)
        dialogs_.message(
            this, Dialogs::Icon::Critical, app_.title(),
            app_.msg(Msg::NotWritten).arg(QString::fromStdString(written.error().describe())));
}

}  // namespace zerlant::gui
