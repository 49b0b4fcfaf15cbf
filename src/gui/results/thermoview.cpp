#include "gui/results/thermoview.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <map>

#include "core/files/filetext.hpp"
#include "core/results/xlsxexport.hpp"
#include "core/singlepoint/singlepoint.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/messages.hpp"
#include "gui/results/tablemodel.hpp"

namespace zerlant::gui {

namespace {

using thermo::EnergyUnit;

constexpr EnergyUnit kUnits[] = {EnergyUnit::KcalPerMol, EnergyUnit::KJPerMol,
                                 EnergyUnit::ElectronVolt};

// The reason a row of the core has no values, as the core words it.
constexpr const char* kCannotRead = "cannot read";

QLocale numberLocale(char decimal) {
    QLocale l = decimal == ',' ? QLocale(QLocale::Spanish) : QLocale::c();
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
}

QDoubleSpinBox* spinBox(QWidget* parent, const char* name, const QLocale& locale, double low,
                        double high, int decimals, double step, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setLocale(locale);
    box->setDecimals(decimals);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    // A value typed counts on Enter or when the box is left, not per key.
    box->setKeyboardTracking(false);
    return box;
}

// The captions of a column key: a short title (the hartree columns say
// their unit on a second line) and the long name for its tool tip.
struct ColumnCaption {
    const char* key;
    Msg title;
    Msg name;
};
constexpr ColumnCaption kColumnCaptions[] = {
    {"file", Msg::File, Msg::File},
    {"formula", Msg::Formula, Msg::Formula},
    {"e", Msg::ColumnE, Msg::ElectronicEnergy},
    {"zpe", Msg::ColumnZpe, Msg::ZeroPointEnergy},
    {"h", Msg::ColumnH, Msg::Enthalpy},
    {"ts", Msg::TS, Msg::TS},
    {"qh_ts", Msg::ColumnQhTs, Msg::QhTS},
    {"g", Msg::ColumnG, Msg::FreeEnergy},
    {"qh_g", Msg::ColumnQhG, Msg::QhFreeEnergy},
    {"qh_h", Msg::ColumnQhH, Msg::QhEnthalpy},
    {"rel_g", Msg::ColumnDeltaG, Msg::RelativeG},
    {"rel_qh_g", Msg::ColumnDeltaQhG, Msg::RelativeQhG},
    {"boltzmann", Msg::ColumnBoltzmann, Msg::BoltzmannPopulation},
    {"sp_file", Msg::SinglePointFile, Msg::SinglePointFile},
    {"sp_e", Msg::SinglePointE, Msg::SinglePointE},
    {"sp_h", Msg::SinglePointH, Msg::SinglePointH},
    {"sp_g", Msg::SinglePointG, Msg::SinglePointG},
    {"sp_qh_g", Msg::SinglePointQhG, Msg::SinglePointQhG},
    {"sp_qh_h", Msg::SinglePointQhH, Msg::SinglePointQhH}};

struct Caption {
    QString title, unit, tip;
};

Caption columnCaption(const AppContext& app, const std::string& key, EnergyUnit unit) {
    const QString k = QString::fromStdString(key);
    for (const ColumnCaption& c : kColumnCaptions) {
        if (key != c.key)
            continue;
        QString u;
        if (key == "rel_g" || key == "rel_qh_g")
            u = QString::fromLatin1(thermo::unitName(unit));
        else if (key != "file" && key != "formula" && key != "boltzmann" && key != "sp_file")
            u = app.msg(viewmsg::kHartree);
        return {app.msg(c.title), u, app.msg(c.name) + QStringLiteral(": ") + k};
    }
    return {k, {}, k};
}

}  // namespace

std::optional<std::vector<ThermoFile>> readThermoFiles(const FileRows& rows,
                                                       const ProgressCallback& progress) {
    std::vector<ThermoFile> files;
    const thermo::ThermoSettings defaults;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const FileRow& entry = rows[r];
        if (!entry.checked)
            continue;
        if (progress && !progress(r, entry.name))
            return std::nullopt;
        ThermoFile file;
        file.path = entry.path;
        // A file that fails half-way (out of memory, say) becomes a row
        // that cannot be read; the worker thread and the other files go on.
        try {
            Result<std::string> bytes = readFileBytes(entry.path);
            if (bytes) {
                file.step = thermo::readFrequencyStep(*bytes);
                file.row = thermo::thermoRow(entry.name, file.step, defaults);
                if (!file.step && !thermo::asksForFrequencies(*bytes)) {
                    file.row.skipped = true;
                    file.row.error = thermo::kNoFrequencyStep;
                }
            }
        } catch (const std::exception&) {
            file.step.reset();
            file.row = {};
        }
        if (file.row.file.empty()) {
            file.row.file = entry.name;
            file.row.error = kCannotRead;
        }
        files.push_back(std::move(file));
    }
    return files;
}

ThermoView::ThermoView(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    setObjectName("thermoView");
    const QLocale locale = numberLocale(app.decimalSeparator());
    const thermo::ThermoSettings defaults;
    temperature_ =
        spinBox(this, "thermoTemperature", locale, 1, 10000, 2, 10, defaults.temperature);
    pressure_ = spinBox(this, "thermoPressure", locale, 0.0001, 1000, 4, 0.1, defaults.pressure);
    useConcentration_ = new QCheckBox(app.msg(Msg::Concentration), this);
    useConcentration_->setObjectName("thermoUseConcentration");
    concentration_ = spinBox(this, "thermoConcentration", locale, 0.0001, 100, 4, 0.1, 1.0);
    concentration_->setEnabled(false);
    scale_ = spinBox(this, "thermoScale", locale, 0.5, 1.5, 4, 0.001, defaults.scale);
    scaleFromTable_ = new QCheckBox(app.msg(Msg::PublishedScaleFactor), this);
    scaleFromTable_->setObjectName("thermoScaleFromTable");
    cutoff_ = spinBox(this, "thermoCutoff", locale, 1, 1000, 1, 10, defaults.cutoff);
    qhEnthalpy_ = new QCheckBox(app.msg(Msg::QhEnthalpyHeadGordon), this);
    qhEnthalpy_->setObjectName("thermoQhEnthalpy");
    relative_ = new QCheckBox(app.msg(Msg::RelativeEnergies), this);
    relative_->setObjectName("thermoRelative");
    unit_ = new QComboBox(this);
    unit_->setObjectName("thermoUnit");
    for (EnergyUnit u : kUnits) unit_->addItem(QString::fromLatin1(thermo::unitName(u)));
    reference_ = new QComboBox(this);
    reference_->setObjectName("thermoReference");
    reference_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    reference_->setMinimumContentsLength(10);
    spcSuffix_ = new QLineEdit(this);
    spcSuffix_->setObjectName("thermoSinglePointSuffix");
    spcSuffix_->setMaximumWidth(120);
    spcSuffix_->setToolTip(QStringLiteral("x.log + x_SUFFIX.log"));
    export_ = new QPushButton(app.msg(Msg::ExportEllipsis), this);
    export_->setObjectName("thermoExport");

    // Captions wrap, so that the view fits a dock beside the file lists.
    auto label = [this](Msg message, QWidget* buddy, bool wrap = true) {
        auto* l = new QLabel(app_.msg(message, ":"), this);
        l->setBuddy(buddy);
        l->setWordWrap(wrap);
        return l;
    };
    auto line = [](QWidget* caption, QWidget* field) {
        auto* row = new QHBoxLayout;
        row->addWidget(caption);
        row->addWidget(field, 1);
        return row;
    };
    // Two settings a line, each a caption and its field; the switches of
    // the quasi-harmonic enthalpy and the relative energies below them.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    grid->addWidget(label(Msg::TemperatureK, temperature_), 0, 0);
    grid->addWidget(temperature_, 0, 1);
    grid->addWidget(label(Msg::PressureAtm, pressure_), 0, 2);
    grid->addWidget(pressure_, 0, 3);
    grid->addWidget(useConcentration_, 1, 0);
    grid->addWidget(concentration_, 1, 1);
    grid->addWidget(label(Msg::FrequencyScaleFactor, scale_), 1, 2);
    grid->addWidget(scale_, 1, 3);
    grid->addWidget(label(Msg::QuasiHarmonicCutoff, cutoff_), 2, 0);
    grid->addWidget(cutoff_, 2, 1);
    grid->addWidget(scaleFromTable_, 2, 2, 1, 2);
    grid->addWidget(qhEnthalpy_, 3, 0, 1, 2);
    grid->addWidget(export_, 3, 3);
    grid->addWidget(relative_, 4, 0);
    grid->addLayout(line(label(Msg::Unit, unit_, false), unit_), 4, 1);
    grid->addLayout(line(label(Msg::Reference, reference_, false), reference_), 4, 2, 1, 2);
    grid->addLayout(line(label(Msg::SinglePointSuffix, spcSuffix_, false), spcSuffix_), 5, 0, 1, 2);
    auto* settings = new QHBoxLayout;
    settings->addLayout(grid);
    settings->addStretch(1);

    table_ = new QTableView(this);
    table_->setObjectName("thermoTable");
    model_ = new ResultTableModel(table_);
    auto* proxy = new ResultSortProxy(table_);
    proxy->setSourceModel(model_);
    table_->setModel(proxy);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the list's order until a title is clicked
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(settings);
    layout->addWidget(table_, 1);

    auto changed = [this] { recompute(); };
    for (QDoubleSpinBox* box : {temperature_, pressure_, concentration_, scale_, cutoff_})
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    for (QCheckBox* box : {useConcentration_, scaleFromTable_, qhEnthalpy_, relative_})
        connect(box, &QCheckBox::toggled, this, changed);
    connect(useConcentration_, &QCheckBox::toggled, concentration_, &QWidget::setEnabled);
    connect(scaleFromTable_, &QCheckBox::toggled, scale_, &QWidget::setDisabled);
    connect(unit_, &QComboBox::currentIndexChanged, this, changed);
    connect(reference_, &QComboBox::currentIndexChanged, this, changed);
    connect(export_, &QPushButton::clicked, this, &ThermoView::exportTable);
    connect(spcSuffix_, &QLineEdit::editingFinished, this, &ThermoView::pairSinglePoints);
    recompute();
}

thermo::ThermoRequest ThermoView::request() const {
    thermo::ThermoRequest r;
    r.settings.temperature = temperature_->value();
    r.settings.pressure = pressure_->value();
    if (useConcentration_->isChecked())
        r.settings.concentration = concentration_->value();
    r.settings.scale = scale_->value();
    r.scaleFromTable = scaleFromTable_->isChecked();
    r.settings.cutoff = cutoff_->value();
    r.settings.headGordonEnthalpy = qhEnthalpy_->isChecked();
    r.relative = relative_->isChecked();
    r.unit = kUnits[std::clamp(unit_->currentIndex(), 0, 2)];
    r.singlePoint = !pairedSuffix_.isEmpty();
    const int reference =
        reference_->currentData().isValid() ? reference_->currentData().toInt() : -1;
    if (r.relative && reference >= 0 && static_cast<std::size_t>(reference) < files_.size())
        r.reference = static_cast<std::size_t>(reference);
    return r;
}

void ThermoView::setRequest(const thermo::ThermoRequest& request) {
    {
        const QSignalBlocker blockers[] = {QSignalBlocker(temperature_),
                                           QSignalBlocker(pressure_),
                                           QSignalBlocker(useConcentration_),
                                           QSignalBlocker(concentration_),
                                           QSignalBlocker(scale_),
                                           QSignalBlocker(scaleFromTable_),
                                           QSignalBlocker(cutoff_),
                                           QSignalBlocker(qhEnthalpy_),
                                           QSignalBlocker(relative_),
                                           QSignalBlocker(unit_)};
        const thermo::ThermoSettings& s = request.settings;
        temperature_->setValue(s.temperature);
        pressure_->setValue(s.pressure);
        useConcentration_->setChecked(s.concentration.has_value());
        concentration_->setEnabled(s.concentration.has_value());
        if (s.concentration)
            concentration_->setValue(*s.concentration);
        scale_->setValue(s.scale);
        scaleFromTable_->setChecked(request.scaleFromTable);
        scale_->setEnabled(!request.scaleFromTable);
        cutoff_->setValue(s.cutoff);
        qhEnthalpy_->setChecked(s.headGordonEnthalpy);
        relative_->setChecked(request.relative);
        unit_->setCurrentIndex(static_cast<int>(
            std::find(std::begin(kUnits), std::end(kUnits), request.unit) - std::begin(kUnits)));
    }
    recompute();
}

void ThermoView::setFiles(std::vector<ThermoFile> files) {
    files_ = std::move(files);
    pairedSuffix_.clear();
    pairSinglePoints();
    // The reference of the relative energies: the lowest of each formula, or
    // a file that has values.
    const QSignalBlocker quiet(reference_);
    reference_->clear();
    reference_->addItem(app_.msg(Msg::LowestOfEachFormula));
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (files_[i].row.ok())
            reference_->addItem(QString::fromStdString(files_[i].row.file), static_cast<int>(i));
    shownColumns_ = -1;
    recompute();
}

QString ThermoView::note(const thermo::ThermoRow& row) const {
    if (row.ok())
        return row.imaginaryLeftOut > 0 ? app_.msg(Msg::ImaginaryLeftOut) + QStringLiteral(": ") +
                                              QString::number(row.imaginaryLeftOut)
                                        : QString();
    // A level the table of scale factors lacks, first so that a narrow
    // column still shows it; the file may not name its level.
    if (row.noScaleFactor)
        return row.method.empty()
                   ? app_.msg(Msg::NoPublishedScaleFactor)
                   : QString::fromStdString(row.method + "/" + row.basis) + QStringLiteral(": ") +
                         app_.msg(Msg::NoPublishedScaleFactor);
    // The core's reasons in the window's language.
    static const std::map<std::string, Msg> kReasons = {
        {kCannotRead, Msg::CannotBeRead},
        {"no complete thermochemistry of a frequency step", Msg::NoCompleteThermo},
        {thermo::kNoFrequencyStep, viewmsg::kNoFrequencyStep},
        {"no electronic energy before the thermochemistry", Msg::NoEnergyBeforeThermo},
        {"the frequencies are not printed", Msg::FrequenciesNotPrinted}};
    const auto found = kReasons.find(row.error);
    return found != kReasons.end() ? app_.msg(found->second) : QString::fromStdString(row.error);
}

void ThermoView::recompute() {
    const thermo::ThermoRequest r = request();
    const bool relativeOn = r.relative;
    unit_->setEnabled(relativeOn);
    reference_->setEnabled(relativeOn);
    rows_.clear();
    rows_.reserve(files_.size());
    for (const ThermoFile& f : files_) {
        rows_.push_back(f.row.error == kCannotRead || f.row.skipped
                            ? f.row
                            : thermo::thermoRow(f.row.file, f.step, r.settings, r.scaleFromTable));
        if (r.singlePoint && f.singlePoint)
            applySinglePoint(rows_.back(), *f.singlePoint);
    }
    if (r.relative)
        thermo::addRelative(rows_, r);
    shown_ = r;

    // The columns of the command line but the conditions, which the
    // settings above show; the note beside the file so that a reason is
    // seen at once.
    std::vector<std::string> keys = thermo::thermoColumnKeys(r);
    keys.resize(keys.size() - std::size(thermo::kConditionKeys));
    auto column = [](std::size_t key) { return key == 0 ? 0 : key + 1; };
    ViewTable t;
    t.columns.resize(keys.size() + 1);
    for (std::size_t c = 0; c < keys.size(); ++c) {
        const auto [title, unit, tip] = columnCaption(app_, keys[c], r.unit);
        const int decimals = c < 2 ? ShownPrecision::kAsRead : thermo::thermoDecimals(keys[c]);
        t.columns[column(c)] = {title.toStdString(), unit.toStdString(), tip.toStdString(),
                                ShownPrecision{decimals, false}};
    }
    t.columns[kNoteColumn].title = app_.msg(Msg::Note).toStdString();
    for (const thermo::ThermoRow& row : rows_) {
        const std::vector<std::optional<double>> numbers = thermo::thermoNumbers(row, r);
        std::vector<CellValue> cells(t.columns.size(), CellValue(std::string()));
        cells[0] = row.file;
        if (row.ok())
            cells[column(1)] = row.summary.formula;
        if (row.ok() && row.singlePoint) {
            const auto sp = std::find(keys.begin(), keys.end(), "sp_file") - keys.begin();
            if (static_cast<std::size_t>(sp) < keys.size())
                cells[column(sp)] =
                    std::filesystem::path(row.singlePoint->file).filename().string();
        }
        for (std::size_t c = 2; c < keys.size(); ++c)
            if (numbers[c])
                cells[column(c)] = *numbers[c];
        cells[kNoteColumn] = note(row).toStdString();
        t.addRow(std::move(cells), row.file,
                 row.skipped ? ViewRow::Skipped
                 : row.ok()  ? ViewRow::Values
                             : ViewRow::Error);
    }
    model_->setView(std::move(t), QString(), app_.decimalSeparator());
    // The note takes room only when some file has one (which a factor from
    // the table can change).
    const bool noNote = std::none_of(rows_.begin(), rows_.end(),
                                     [this](const auto& row) { return !note(row).isEmpty(); });
    const bool noteAppears = !noNote && table_->isColumnHidden(kNoteColumn);
    table_->setColumnHidden(kNoteColumn, noNote);
    // The widths follow the contents when the columns change, not at every
    // new temperature.  A hidden column keeps its width for when it shows.
    auto fit = [this](int c) {
        table_->resizeColumnToContents(c);
        table_->setColumnWidth(c, std::min(table_->columnWidth(c), c == kNoteColumn ? 200 : 320));
    };
    if (shownColumns_ != static_cast<int>(keys.size())) {
        shownColumns_ = static_cast<int>(keys.size());
        for (int c = 0; c < model_->columnCount(); ++c)
            if (!table_->isColumnHidden(c))
                fit(c);
    } else if (noteAppears) {
        fit(kNoteColumn);
    }
    export_->setEnabled(!rows_.empty());
}

void ThermoView::pairSinglePoints() {
    const QString suffix = spcSuffix_->text().trimmed();
    if (suffix == pairedSuffix_)
        return;
    pairedSuffix_ = suffix;
    const std::string s = suffix.toStdString();
    for (ThermoFile& f : files_) {
        f.singlePoint.reset();
        if (s.empty() || !f.row.ok())
            continue;
        const std::filesystem::path p(f.path);
        const std::string wanted = p.stem().string() + "_" + s + p.extension().string();
        const std::optional<std::string> partner = suffixPartner(f.path, s);
        try {
            f.singlePoint = singlePointFor(f.path, partner, wanted, kDefaultPairRmsd);
        } catch (const std::exception& e) {
            f.singlePoint = Result<thermo::SinglePoint>(Error{e.what(), f.path});
        }
        // The note names the single point as the table does, by its name:
        // it lies beside the file.
        if (!*f.singlePoint && partner) {
            std::string why = f.singlePoint->error().describe();
            const std::string name = std::filesystem::path(*partner).filename().string();
            for (std::size_t at; (at = why.find(*partner)) != std::string::npos;)
                why.replace(at, partner->size(), name);
            f.singlePoint = Result<thermo::SinglePoint>(Error{why, {}});
        }
    }
    shownColumns_ = -1;
    recompute();
}

void ThermoView::retranslate() {
    if (reference_->count() > 0)
        reference_->setItemText(0, app_.msg(Msg::LowestOfEachFormula));
    recompute();
}

bool ThermoView::exportTo(const QString& path) {
    Status written = success();
    if (QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0) {
        written =
            writeExcelWorkbook(thermo::thermoWorkbookTable(rows_, shown_), path.toStdString());
    } else {
        written = writeFileAtomically(path.toStdString(), thermo::thermoCsv(rows_, shown_));
    }
    if (!written) {
        dialogs_.message(this, Dialogs::Icon::Critical, app_.title(),
                         QString::fromStdString(written.error().describe()));
        return false;
    }
    return true;
}

void ThermoView::exportTable() {
    // Beside the first file, named after the tool.
    const QString folder =
        files_.empty() ? dialogs_.startFolder()
                       : QFileInfo(QString::fromStdString(files_.front().path)).absolutePath();
    const QString suggested = QDir(folder).filePath(QStringLiteral("thermochemistry.csv"));
    const QString filter = app_.msg(Msg::CsvFilter) + QStringLiteral(";;") +
                           app_.msg(Msg::SheetFilter) + QStringLiteral(";;") +
                           app_.msg(Msg::AllFilesFilter);
    const QString chosen = dialogs_.saveFileNameAsking(
        this, QString(app_.msg(Msg::ExportEllipsis)).remove(QLatin1Char('&')), suggested, filter,
        app_.title(), app_.msg(Msg::ReplaceQuestion));
    if (!chosen.isEmpty())
        exportTo(chosen);
}

}  // namespace zerlant::gui
