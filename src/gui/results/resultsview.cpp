#include "gui/results/resultsview.hpp"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/ensemble/conformerfile.hpp"
#include "core/plotdata/scanprofile.hpp"
#include "core/plotdata/sources.hpp"
#include "core/results/scanaimexport.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/tablemodel.hpp"

namespace zerlant::gui {

using namespace zerlant::plotdata;

namespace {

// Column 0 of a table carried down to the rows below it: the file of each
// data row.
void carryFiles(const Table& t, ViewTable& view) {
    std::string current;
    for (std::size_t r = 1; r < t.rows() && r - 1 < view.rows(); ++r) {
        if (!t.cell(0, r).empty())
            current = t.cell(0, r);
        view.rowFiles[r - 1] = current;
    }
}

ResultTableModel* sourceOf(QTableView* view) {
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    return qobject_cast<ResultTableModel*>(proxy->sourceModel());
}

MessageLookup lookupOf(const AppContext& app) {
    return app.liveLookup();
}

}  // namespace

ResultsView::ResultsView(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    setObjectName("resultsView");
    outcomeLabel_ = new QLabel(this);
    outcomeLabel_->setObjectName("runOutcome");
    outcomeLabel_->setTextFormat(Qt::RichText);
    files_ = new QComboBox(this);
    files_->setObjectName("resultsFile");
    files_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    files_->setMinimumContentsLength(12);
    blocks_ = new QPushButton(app.msg(Msg::ShowFileBlocks), this);
    blocks_->setObjectName("fileBlocksButton");
    copy_ = new QPushButton(app.msg(Msg::Copy), this);
    copy_->setObjectName("copyButton");
    plot_ = new QPushButton(app.msg(Msg::Plot), this);
    plot_->setObjectName("plotButton");
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("resultsTabs");
    tabs_->setDocumentMode(true);

    outcomeLabel_->setWordWrap(true);
    auto* bar = new QHBoxLayout;
    bar->addWidget(files_);
    bar->addWidget(blocks_);
    bar->addWidget(copy_);
    bar->addWidget(plot_);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(outcomeLabel_);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);

    connect(copy_, &QPushButton::clicked, this, &ResultsView::copySelection);
    connect(plot_, &QPushButton::clicked, this, &ResultsView::showPlotMenu);
    connect(files_, &QComboBox::activated, this, &ResultsView::fileChosen);
    connect(blocks_, &QPushButton::clicked, this, [this] {
        QTableView* main = tableView(0);
        const QModelIndex current = main ? main->currentIndex() : QModelIndex();
        if (current.isValid())
            showFileBlocks(current.data(ResultTableModel::FileRole).toString());
    });
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    copyKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copyKey, &QShortcut::activated, this, &ResultsView::copySelection);
    connect(tabs_, &QTabWidget::currentChanged, this, &ResultsView::tabChanged);
    clear();
}

void ResultsView::clear() {
    if (ThermoView* thermo = thermoView())
        thermoSettings_ = thermo->request();
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;
    }
    proxies_.clear();
    files_->clear();
    plottable_ = false;
    runOutcome_ = {};
    thermoOutcome_ = {};
}

QTableView* ResultsView::addTab(const QString& title, ViewTable table) {
    auto* view = new QTableView(tabs_);
    auto* model = new ResultTableModel(view);
    model->setView(std::move(table), app_.msg(Msg::NotAvailable), app_.decimalSeparator());
    auto* proxy = new ResultSortProxy(view);
    proxy->setSourceModel(model);
    view->setModel(proxy);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder);  // the run's order until a title is clicked
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Fit the columns to the first rows: a big folder's table opens at once.
    view->horizontalHeader()->setResizeContentsPrecision(200);
    view->resizeColumnsToContents();
    for (int c = 0; c < proxy->columnCount(); ++c)
        view->setColumnWidth(c, std::min(view->columnWidth(c), 260));
    proxies_.push_back(proxy);
    // Before the thermochemistry, when one is shown.
    ThermoView* thermo = thermoView();
    const int at = thermo ? tabs_->indexOf(thermo) : tabs_->count();
    tabs_->insertTab(at, view, title);
    return view;
}

QTableView* ResultsView::tableView(int tab) const {
    QWidget* page = tabs_->widget(tab);
    if (auto* view = qobject_cast<QTableView*>(page))
        return view;
    return page ? page->findChild<QTableView*>() : nullptr;
}

ThermoView* ResultsView::thermoView() const {
    for (int i = tabs_->count() - 1; i >= 0; --i)
        if (auto* thermo = qobject_cast<ThermoView*>(tabs_->widget(i)))
            return thermo;
    return nullptr;
}

const RunOutcome& ResultsView::outcome() const {
    const bool thermo = tabs_->currentWidget() != nullptr && tabs_->currentWidget() == thermoView();
    return thermo ? thermoOutcome_.counts : runOutcome_.counts;
}

void ResultsView::setOutcome(const QString& tool, RunOutcome outcome, Msg skippedMessage,
                             bool thermo) {
    QString text = "<b>" + tool.toHtmlEscaped() + "</b> &nbsp; " +
                   app_.msg(Msg::FilesRead).toHtmlEscaped() + ": " + QString::number(outcome.read);
    const QString failed =
        app_.msg(Msg::FailedCount).toHtmlEscaped() + ": " + QString::number(outcome.failed);
    text +=
        " &nbsp;·&nbsp; " +
        (outcome.failed ? "<span style=\"color:#b00020\"><b>" + failed + "</b></span>" : failed);
    text += " &nbsp;·&nbsp; " + app_.msg(skippedMessage).toHtmlEscaped() + ": " +
            QString::number(outcome.skipped);
    (thermo ? thermoOutcome_ : runOutcome_) = {outcome, text};
    tabChanged();
}

void ResultsView::tabChanged() {
    QWidget* current = tabs_->currentWidget();
    const bool thermo = current != nullptr && current == thermoView();
    outcomeLabel_->setText(thermo ? thermoOutcome_.text : runOutcome_.text);
    // The file list, the blocks and the plots belong to the run's tables.
    const bool hasBlocks = run_ == Run::Extract && proxies_.size() > 1;
    files_->setVisible(!thermo && hasBlocks);
    blocks_->setVisible(!thermo && hasBlocks);
    plot_->setVisible(!thermo && plottable_);
}

void ResultsView::showExtract(const std::vector<ExtractRecord>& records, const Table& resultTable,
                              const DetailTable& detail, const ExtractBoxes& boxes,
                              std::size_t unreadable, std::size_t skipped) {
    clear();
    run_ = Run::Extract;
    resultTable_ = resultTable;
    detail_ = detail;
    const MessageLookup messages = lookupOf(app_);

    // The main table: the ticked quantities, the file's name always first.
    QTableView* mainView =
        addTab(app_.msg(Msg::MainTable), extractMainView(records, boxes, messages));
    std::size_t failed = 0;
    for (const ExtractRecord& r : records)
        if (!r.ok)
            ++failed;
    connect(mainView, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        showFileBlocks(index.data(ResultTableModel::FileRole).toString());
    });

    connect(mainView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit fileSelected(current.data(ResultTableModel::FileRole).toString());
            });

    // One tab per ticked block: the file's name, then the block's columns.
    for (const DetailBlock& block : kDetailBlocks) {
        if (!boxes.ticked(block.box) || records.empty())
            continue;
        QTableView* view = addTab(QString::fromStdString(boxes.caption(block.box)),
                                  extractBlockView(records, block.box, boxes, messages));
        if (block.box != ExtractBox::Freq)
            continue;
        // A frequency row is the n-th mode of its file, in the run's order.
        connect(
            view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, view](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
                const QModelIndex source = proxy->mapToSource(current);
                const QString file = source.data(ResultTableModel::FileRole).toString();
                int mode = 0;
                for (int r = 0; r < source.row(); ++r)
                    if (proxy->sourceModel()->index(r, 0).data(ResultTableModel::FileRole) == file)
                        ++mode;
                emit modeSelected(file, mode);
            });
    }

    files_->addItem(app_.msg(Msg::AllFiles), QString());
    for (const ExtractRecord& r : records) {
        const QString name = QString::fromStdString(r.file);
        if (files_->findData(name) < 0)
            files_->addItem(name, name);
    }
    plottable_ = !records.empty();
    (void)unreadable;  // unreadable files have rows marked Error
    setOutcome(app_.msg(Msg::ToolExtract), {records.size() - failed, failed, skipped},
               Msg::SkippedScanJobs, false);
}

void ResultsView::showScan(const Table& scanTable, std::size_t unreadable, std::size_t skipped) {
    clear();
    run_ = Run::Scan;
    scanTable_ = scanTable;
    // Point rows belong to the file named on the first of them.
    std::vector<QString> rowFiles;
    QString current;
    std::size_t next = 0;
    for (std::size_t r = 1; r < scanTable.rows(); ++r) {
        if (!scanTable.cell(0, r).empty() && next < scanFiles_.size() &&
            scanTable.cell(0, r) == scanFiles_[next].file) {
            current = QString::fromStdString(scanFiles_[next].file);
            ++next;
        }
        rowFiles.push_back(current);
    }
    // The file's name, the scan's own columns, then the file's other values
    // (the formula first of them).
    std::vector<std::size_t> order{0};
    for (std::size_t c = kScanFileColumns; c < scanTable.columns(); ++c) {
        bool used = false;
        for (std::size_t r = 0; r < scanTable.rows() && !used; ++r)
            used = !scanTable.cell(c, r).empty();
        if (used)
            order.push_back(c);
    }
    for (std::size_t c = 1; c < kScanFileColumns; ++c) order.push_back(c);
    Table shown(order.size(), scanTable.rows());
    std::vector<bool> titles;
    for (std::size_t r = 0; r < scanTable.rows(); ++r) {
        for (std::size_t i = 0; i < order.size(); ++i) shown.copyCell(i, r, scanTable, order[i], r);
        // A file's title row repeats the captions of row 0.
        if (r > 0)
            titles.push_back(!scanTable.cell(0, 0).empty() &&
                             scanTable.cell(0, r) == scanTable.cell(0, 0));
    }
    const std::size_t formula = order.size() - (kScanFileColumns - 1);
    ViewTable typed = viewOfTextTable(shown, formula);
    for (std::size_t r = 0; r < rowFiles.size() && r < typed.rows(); ++r)
        typed.rowFiles[r] = rowFiles[r].toStdString();
    QTableView* view = addTab(app_.msg(Msg::ToolScan), std::move(typed));
    sourceOf(view)->setTitleRows(titles);
    plottable_ = !scanFiles_.empty();
    setOutcome(app_.msg(Msg::ToolScan), {scanFiles_.size(), unreadable, skipped}, Msg::Skipped,
               false);
}

void ResultsView::showAim(const Table& aimTable, std::size_t unreadable, std::size_t skipped) {
    clear();
    run_ = Run::Aim;
    std::size_t files = 0;
    for (std::size_t r = 1; r < aimTable.rows(); ++r)
        if (!aimTable.cell(0, r).empty() && aimTable.cell(0, r) != aimTable.cell(0, 0))
            ++files;
    std::vector<bool> titles;
    for (std::size_t r = 1; r < aimTable.rows(); ++r)
        titles.push_back(!aimTable.cell(1, 0).empty() &&
                         aimTable.cell(1, r) == aimTable.cell(1, 0));
    ViewTable typed = viewOfTextTable(aimTable, kNoColumn);
    carryFiles(aimTable, typed);
    QTableView* view = addTab(app_.msg(Msg::ToolAim), std::move(typed));
    sourceOf(view)->setTitleRows(titles);
    setOutcome(app_.msg(Msg::ToolAim), {files, unreadable, skipped}, Msg::Skipped, false);
}

void ResultsView::showThermo(std::vector<ThermoFile> files) {
    // The run's tables stay; a thermochemistry shown before gives way, its
    // settings kept for the new one.
    if (ThermoView* previous = thermoView()) {
        thermoSettings_ = previous->request();
        tabs_->removeTab(tabs_->indexOf(previous));
        delete previous;
    }
    if (run_ == Run::None)
        run_ = Run::Thermo;
    auto* view = new ThermoView(app_, dialogs_, tabs_);
    view->setFiles(std::move(files));
    if (thermoSettings_)
        view->setRequest(*thermoSettings_);
    std::size_t failed = 0, skipped = 0;
    for (const ThermoFile& f : view->files()) {
        if (f.row.skipped)
            ++skipped;
        else if (!f.row.ok())
            ++failed;
    }
    const int at = tabs_->addTab(view, app_.msg(Msg::Thermochemistry));
    setOutcome(app_.msg(Msg::Thermochemistry),
               {view->files().size() - failed - skipped, failed, skipped}, viewmsg::kSkipped, true);
    tabs_->setCurrentIndex(at);
    tabChanged();
}

void ResultsView::copySelection() {
    QTableView* view = tableView(tabs_->currentIndex());
    if (!view || !view->selectionModel())
        return;
    const QString text = selectionAsTsv(*view->model(), *view->selectionModel());
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void ResultsView::showFileBlocks(const QString& file) {
    for (std::size_t i = 1; i < proxies_.size(); ++i) proxies_[i]->setFile(file);
    const int index = files_->findData(file);
    files_->setCurrentIndex(index < 0 ? 0 : index);
    if (!file.isEmpty() && tabs_->count() > 1)
        tabs_->setCurrentIndex(1);
}

void ResultsView::fileChosen(int index) {
    showFileBlocks(files_->itemData(index).toString());
}

void ResultsView::showPlotMenu() {
    QMenu menu(this);
    if (run_ == Run::Extract) {
        const std::pair<Msg, Kind> kinds[] = {{Msg::IrSpectrum, Kind::Ir},
                                              {Msg::RamanSpectrum, Kind::Raman},
                                              {Msg::UvVisSpectrum, Kind::Uv},
                                              {Msg::EcdSpectrum, Kind::Ecd}};
        for (auto [message, kind] : kinds)
            menu.addAction(app_.msg(message), this, [this, kind = kind] { plotSpectrum(kind); });
    } else if (run_ == Run::Scan) {
        menu.addAction(app_.msg(Msg::ScanProfile), this, [this] { plotScan(); });
    }
    menu.exec(plot_->mapToGlobal(QPoint(0, plot_->height())));
}

void ResultsView::setPlotSources(std::vector<ExtractRecord> records,
                                 std::vector<ScanFile> scanFiles) {
    records_ = std::move(records);
    scanFiles_ = std::move(scanFiles);
}

PlotWindow* ResultsView::plotSpectrum(Kind kind) {
    auto spectra = spectraFromRecords(records_, kind);
    if (spectra.files.empty()) {
        // An achiral molecule's rotatory strengths are all 0: say so.
        const Msg message =
            kind == Kind::Ecd && spectra.allZero > 0 ? Msg::EcdAllZero : Msg::NoSuchSpectrum;
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(), app_.msg(message));
        return nullptr;
    }
    // Each file's conformer, for weights by population; none when a file
    // lacks its energy or geometry.
    std::vector<Conformer> conformers;
    for (const NamedSticks& f : spectra.files) {
        const auto record = std::find_if(records_.begin(), records_.end(),
                                         [&f](const ExtractRecord& r) { return r.file == f.name; });
        Result<Conformer> c =
            record == records_.end() ? Result<Conformer>(Error{}) : conformerOf(*record);
        if (!c) {
            conformers.clear();
            break;
        }
        conformers.push_back(std::move(*c));
    }
    auto* window = new PlotWindow(app_, dialogs_, this);
    window->showSpectrum(kind, std::move(spectra.files), std::move(conformers));
    window->show();
    return window;
}

PlotWindow* ResultsView::plotScan() {
    auto profiles = scanProfiles(scanFiles_);
    if (profiles.empty()) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::NoSuchSpectrum));
        return nullptr;
    }
    auto* window = new PlotWindow(app_, dialogs_, this);
    window->showScan(std::move(profiles));
    window->show();
    return window;
}

}  // namespace zerlant::gui
