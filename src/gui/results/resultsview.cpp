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

#include "core/plotdata/numbertext.hpp"
#include "core/plotdata/scanprofile.hpp"
#include "core/plotdata/sources.hpp"
#include "core/plotdata/tablesticks.hpp"
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
std::vector<QString> carriedFiles(const Table& t) {
    std::vector<QString> files;
    QString current;
    for (std::size_t r = 1; r < t.rows(); ++r) {
        if (!t.cell(0, r).empty())
            current = QString::fromStdString(t.cell(0, r));
        files.push_back(current);
    }
    return files;
}

ResultTableModel* sourceOf(QTableView* view) {
    auto* proxy = qobject_cast<QSortFilterProxyModel*>(view->model());
    return qobject_cast<ResultTableModel*>(proxy->sourceModel());
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
    blocks_ = new QPushButton(app.msg(266), this);
    blocks_->setObjectName("fileBlocksButton");
    copy_ = new QPushButton(app.msg(265), this);
    copy_->setObjectName("copyButton");
    plot_ = new QPushButton(app.msg(267), this);
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
    files_->setVisible(false);
    blocks_->setVisible(false);
    plot_->setVisible(false);
}

QTableView* ResultsView::addTab(const QString& title, Table table, std::vector<QString> rowFiles) {
    auto* view = new QTableView(tabs_);
    auto* model = new ResultTableModel(view);
    model->setTable(std::move(table), std::move(rowFiles), app_.msg(131), app_.decimalSeparator());
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
    view->resizeColumnsToContents();
    for (int c = 0; c < proxy->columnCount(); ++c)
        view->setColumnWidth(c, std::min(view->columnWidth(c), 260));
    proxies_.push_back(proxy);
    tabs_->addTab(view, title);
    return view;
}

QTableView* ResultsView::tableView(int tab) const {
    QWidget* page = tabs_->widget(tab);
    if (auto* view = qobject_cast<QTableView*>(page))
        return view;
    return page ? page->findChild<QTableView*>() : nullptr;
}

ThermoView* ResultsView::thermoView() const {
    return run_ == Run::Thermo ? qobject_cast<ThermoView*>(tabs_->widget(0)) : nullptr;
}

void ResultsView::setOutcome(const QString& tool, RunOutcome outcome, int skippedMessage) {
    outcome_ = outcome;
    QString text = "<b>" + tool.toHtmlEscaped() + "</b> &nbsp; " + app_.msg(262).toHtmlEscaped() +
                   ": " + QString::number(outcome.read);
    const QString failed = app_.msg(263).toHtmlEscaped() + ": " + QString::number(outcome.failed);
    text +=
        " &nbsp;·&nbsp; " +
        (outcome.failed ? "<span style=\"color:#b00020\"><b>" + failed + "</b></span>" : failed);
    text += " &nbsp;·&nbsp; " + app_.msg(skippedMessage).toHtmlEscaped() + ": " +
            QString::number(outcome.skipped);
    outcomeLabel_->setText(text);
}

void ResultsView::showExtract(const Table& resultTable, const DetailTable& detail,
                              const ExtractBoxes& boxes, std::size_t unreadable,
                              std::size_t skipped) {
    clear();
    run_ = Run::Extract;
    resultTable_ = resultTable;
    detail_ = detail;

    // The main table: the ticked columns, the file's name always first.
    std::vector<std::size_t> columns{0};
    for (std::size_t c = 1; c < kResultColumns && c < resultTable.columns(); ++c)
        if (boxes.ticked(kResultColumnBoxes[c]))
            columns.push_back(c);
    Table main(columns.size(), resultTable.rows());
    for (std::size_t r = 0; r < resultTable.rows(); ++r)
        for (std::size_t i = 0; i < columns.size(); ++i)
            main.set(i, r, resultTable.cell(columns[i], r));
    std::vector<QString> files = carriedFiles(resultTable);
    QTableView* mainView = addTab(app_.msg(261), main, files);
    std::size_t failed = 0;
    auto* mainModel = qobject_cast<ResultSortProxy*>(mainView->model());
    auto* source = qobject_cast<ResultTableModel*>(mainModel->sourceModel());
    for (int r = 0; r < source->rowCount(); ++r)
        if (source->isErrorRow(r))
            ++failed;
    connect(mainView, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        showFileBlocks(index.data(ResultTableModel::FileRole).toString());
    });

    // One tab per ticked block: the file's name, then the block's columns, on
    // the rows its count says.
    const auto spans = detailBlocks(resultTable, detail);
    const Table& d = detail.table;
    for (std::size_t b = 0; b < kDetailBlocks.size() && !spans.empty(); ++b) {
        const DetailBlock& sub = kDetailBlocks[b];
        if (!boxes.ticked(sub.box))
            continue;
        const std::size_t width = sub.countColumn - sub.firstColumn + 1;  // file + block
        Table block(width, 1);
        block.set(0, 0, app_.msg(58).toUpper().toStdString());
        for (std::size_t c = sub.firstColumn; c < sub.countColumn; ++c) {
            std::string title = d.cell(c, 0);
            if (title.empty())  // a value column under its block's caption
                title = block.cell(c - sub.firstColumn, 0);
            block.set(c - sub.firstColumn + 1, 0, title);
        }
        std::vector<QString> rowFiles;
        std::size_t row = 1;
        for (std::size_t k = 0; k < spans.size(); ++k) {
            const std::string& name = resultTable.cell(0, k + 1);
            std::size_t count = 1;
            if (auto n = numberIn(d.cell(sub.countColumn, spans[k].first)); n && *n >= 1)
                count = static_cast<std::size_t>(*n);
            count = std::min(count, spans[k].height);
            for (std::size_t i = 0; i < count; ++i, ++row) {
                block.set(0, row, i == 0 ? name : std::string());
                for (std::size_t c = sub.firstColumn; c < sub.countColumn; ++c)
                    block.set(c - sub.firstColumn + 1, row, d.cell(c, spans[k].first + i));
                rowFiles.push_back(QString::fromStdString(name));
            }
        }
        addTab(QString::fromStdString(boxes.caption(sub.box)), std::move(block),
               std::move(rowFiles));
    }

    files_->addItem(app_.msg(299), QString());
    for (std::size_t r = 1; r < resultTable.rows(); ++r) {
        const QString name = QString::fromStdString(resultTable.cell(0, r));
        if (files_->findData(name) < 0)
            files_->addItem(name, name);
    }
    const bool hasBlocks = tabs_->count() > 1;
    files_->setVisible(hasBlocks);
    blocks_->setVisible(hasBlocks);
    plot_->setVisible(!spans.empty());
    const std::size_t rows = resultTable.rows() > 0 ? resultTable.rows() - 1 : 0;
    (void)unreadable;  // unreadable files have rows marked Error
    setOutcome(app_.msg(51), {rows - std::min(rows, failed), failed, skipped}, 264);
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
    // The file's name, the scan's own columns, then the file's other values.
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
        for (std::size_t i = 0; i < order.size(); ++i) shown.set(i, r, scanTable.cell(order[i], r));
        // A file's title row repeats the captions of row 0.
        if (r > 0)
            titles.push_back(!scanTable.cell(0, 0).empty() &&
                             scanTable.cell(0, r) == scanTable.cell(0, 0));
    }
    QTableView* view = addTab(app_.msg(59), std::move(shown), rowFiles);
    sourceOf(view)->setTitleRows(std::move(titles));
    plot_->setVisible(!scanFiles_.empty());
    setOutcome(app_.msg(59), {scanFiles_.size(), unreadable, skipped}, 294);
}

void ResultsView::showAim(const Table& aimTable, std::size_t unreadable, std::size_t skipped) {
    clear();
    run_ = Run::Aim;
    std::vector<QString> rowFiles = carriedFiles(aimTable);
    std::size_t files = 0;
    for (std::size_t r = 1; r < aimTable.rows(); ++r)
        if (!aimTable.cell(0, r).empty() && aimTable.cell(0, r) != aimTable.cell(0, 0))
            ++files;
    std::vector<bool> titles;
    for (std::size_t r = 1; r < aimTable.rows(); ++r)
        titles.push_back(!aimTable.cell(1, 0).empty() &&
                         aimTable.cell(1, r) == aimTable.cell(1, 0));
    QTableView* view = addTab(app_.msg(190), aimTable, std::move(rowFiles));
    sourceOf(view)->setTitleRows(std::move(titles));
    setOutcome(app_.msg(190), {files, unreadable, skipped}, 294);
}

void ResultsView::showThermo(std::vector<ThermoFile> files) {
    clear();
    run_ = Run::Thermo;
    auto* view = new ThermoView(app_, dialogs_, tabs_);
    view->setFiles(std::move(files));
    if (thermoSettings_)
        view->setRequest(*thermoSettings_);
    std::size_t failed = 0;
    for (const ThermoFile& f : view->files())
        if (!f.row.ok())
            ++failed;
    tabs_->addTab(view, app_.msg(300));
    setOutcome(app_.msg(300), {view->files().size() - failed, failed, 0}, 294);
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
        const std::pair<int, Kind> kinds[] = {
            {268, Kind::Ir}, {269, Kind::Raman}, {270, Kind::Uv}, {271, Kind::Ecd}};
        for (auto [message, kind] : kinds)
            menu.addAction(app_.msg(message), this, [this, kind = kind] { plotSpectrum(kind); });
    } else if (run_ == Run::Scan) {
        menu.addAction(app_.msg(272), this, [this] { plotScan(); });
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
        const int message = kind == Kind::Ecd && spectra.allZero > 0 ? 390 : 296;
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(), app_.msg(message));
        return nullptr;
    }
    auto* window = new PlotWindow(app_, dialogs_, this);
    window->showSpectrum(kind, std::move(spectra.files));
    window->show();
    return window;
}

PlotWindow* ResultsView::plotScan() {
    auto profiles = scanProfiles(scanFiles_);
    if (profiles.empty()) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(), app_.msg(296));
        return nullptr;
    }
    auto* window = new PlotWindow(app_, dialogs_, this);
    window->showScan(std::move(profiles));
    window->show();
    return window;
}

}  // namespace zerlant::gui
