// The results view: the table model (numbers sorted and right-aligned in the
// user's separator, Error rows and N/A cells marked, copy as tab-separated
// text), and the view after real Extract, Scan and Aim runs with its plots.
// With ZERLANT_SCREENS=FOLDER the test saves 1280x800 screenshots there
// (ZERLANT_SCREENS_LANG=Español for the Spanish captions).

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include "core/plotdata/numbertext.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/resultsview.hpp"
#include "gui/results/tablemodel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::ProgramFolder;
using zerlant::gui::testing::RecordingDialogs;

using zerlant::gui::testing::runAndWait;

class ResultsViewTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        program_ = std::make_unique<ProgramFolder>();
        QVERIFY(testing::startInScreenshotLanguage(program_->languageFile()));
        app_ = std::make_unique<AppContext>(program_->folder());
        dialogs_ = std::make_unique<RecordingDialogs>();
    }
    void cleanup() {
        window_.reset();
        dialogs_.reset();
        app_.reset();
        program_.reset();
    }

    void modelSortsNumbersMarksErrorsAndCopies() {
        Table t(3, 5);
        const char* cells[5][3] = {{"FILE", "ENERGY", "STATUS"},
                                   {"a.log", "-10.5", "OK"},
                                   {"b.log", "9", "OK"},
                                   {"c.log", "Error", "KO"},
                                   {"d.log", "N/A", "OK"}};
        for (std::size_t r = 0; r < 5; ++r)
            for (std::size_t c = 0; c < 3; ++c) t.set(c, r, cells[r][c]);
        ResultTableModel model;
        model.setTable(t, {"a.log", "b.log", "c.log", "d.log"}, "N/A", ',');
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("ENERGY"));
        QCOMPARE(model.index(0, 1).data().toString(), QString("-10,5"));
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(model.isErrorRow(2) && !model.isErrorRow(0));
        QVERIFY(model.index(2, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(model.index(3, 1).data(Qt::FontRole).value<QFont>().italic());

        ResultSortProxy proxy;
        proxy.setSourceModel(&model);
        proxy.sort(1, Qt::DescendingOrder);  // 9 before -10.5, text last either way
        QCOMPARE(proxy.index(0, 0).data().toString(), QString("b.log"));
        QCOMPARE(proxy.index(1, 0).data().toString(), QString("a.log"));
        proxy.sort(1, Qt::AscendingOrder);
        QCOMPARE(proxy.index(0, 0).data().toString(), QString("a.log"));
        proxy.setFile("c.log");
        QCOMPARE(proxy.rowCount(), 1);
        proxy.setFile({});

        QItemSelectionModel selection(&proxy);
        selection.select(proxy.index(0, 0), QItemSelectionModel::Select);
        selection.select(proxy.index(1, 1), QItemSelectionModel::Select);
        QCOMPARE(selectionAsTsv(proxy, selection), QString("FILE\tENERGY\na.log\t\n\t9\n"));
    }

    void extractRunShowsItsTablesBlocksAndSpectra() {
        const QString data = testing::dataDir();
        if (data.isEmpty())
            QSKIP("real data folder ../shared/data is absent");
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, data);
        auto* dock = window_->findChild<QDockWidget*>("resultsDock");
        auto* view = window_->findChild<ResultsView*>("resultsView");
        QVERIFY(dock && view);
        QVERIFY(dock->isHidden());  // nothing to show before a run

        window_->listModel()->add(
            data, {"cclib_g09_dvb_ir.out", "cclib_g16_dvb_td.out",
                   "chemsmart_g16_tddft_r1s50_gas_radical_anion.log", "aqme_g09_MeOH_SCF_error.log",
                   "cclib_g16_dvb_scan_unrelaxed.log"});
        ExtractPanel* panel = window_->extractPanel();
        for (ExtractBox b :
             {ExtractBox::Energy, ExtractBox::Homo, ExtractBox::Lumo, ExtractBox::Dipole,
              ExtractBox::Freq, ExtractBox::TD, ExtractBox::Thermo})
            panel->box(b)->setChecked(true);
        QVERIFY(runAndWait(panel));
        QVERIFY(!dock->isHidden());
        QCOMPARE(view->outcome().read, std::size_t(3));
        QCOMPARE(view->outcome().failed, std::size_t(1));   // the SCF failure, marked KO
        QCOMPARE(view->outcome().skipped, std::size_t(1));  // the scan job
        // The main table, then frequencies, thermochemistry and excited states.
        QCOMPARE(view->tabs()->count(), 4);
        QTableView* main = view->tableView(0);
        QCOMPARE(main->model()->rowCount(), 4);
        QCOMPARE(main->model()->columnCount(), 9);  // the 5 default and 4 ticked columns

        // A file's row leads to its blocks.
        const int before = view->tableView(1)->model()->rowCount();
        view->showFileBlocks("cclib_g16_dvb_td.out");
        QCOMPARE(view->tabs()->currentIndex(), 1);
        QVERIFY(view->tableView(1)->model()->rowCount() < before);
        QCOMPARE(view->tableView(0)->model()->rowCount(), 4);  // the main table keeps every file
        view->tabs()->setCurrentIndex(3);
        testing::shoot(window_.get(), "results-extract-file-blocks");
        view->tabs()->setCurrentIndex(0);
        view->showFileBlocks({});
        testing::shoot(window_.get(), "results-extract");

        // The spectra come from the run's tables.
        PlotWindow* uv = view->plotSpectrum(plotdata::Kind::Uv);
        QVERIFY(uv);
        QCOMPARE(uv->scene().curveNames.size(), std::size_t(2));
        QCOMPARE(uv->scene().curveNames[0], std::string("cclib_g16_dvb_td.out"));
        testing::shoot(uv, "plot-uv");
        uv->unitBox()->setCurrentIndex(1);  // eV
        QCOMPARE(uv->settings().unit, plotdata::Unit::ElectronVolt);
        const QString measured = program_->path() + "/measured.csv";
        {
            QFile f(measured);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("# eV, absorbance\n4.5,0.1\n5.3,0.8\n6.0,0.3\n6.8,0.2\n");
        }
        QVERIFY(uv->overlayMeasured(measured));
        QVERIFY(uv->scene().series.back().dashed);
        QVERIFY(QString::fromStdString(uv->scene().series.back().name).endsWith("measured.csv"));
        testing::shoot(uv, "plot-uv-ev-measured");
        const QString csv = program_->path() + "/uv.csv";
        QVERIFY(uv->saveCsv(csv));
        QVERIFY(testing::readFile(csv).startsWith(
            "energy_eV,cclib_g16_dvb_td.out,chemsmart_g16_tddft_r1s50_gas_radical_anion.log\n"));
        for (const char* ext : {"png", "svg", "pdf"}) {
            const QString image = program_->path() + "/uv." + ext;
            QVERIFY(uv->saveImage(image));
            QVERIFY(QFileInfo(image).size() > 1000);
        }
        QVERIFY(testing::readFile(program_->path() + "/uv.svg").contains("<svg"));
        QVERIFY(testing::readFile(program_->path() + "/uv.pdf").startsWith("%PDF"));

        PlotWindow* ir = view->plotSpectrum(plotdata::Kind::Ir);
        QVERIFY(ir);
        ir->scaleBox()->setValue(0.967);
        QVERIFY(QString::fromStdString(ir->scene().note).contains("0.967"));
        testing::shoot(ir, "plot-ir");
        // No file of the run has Raman activities: a message, no window.
        QVERIFY(!view->plotSpectrum(plotdata::Kind::Raman));
        QCOMPARE(dialogs_->texts().back(), app_->msg(296));
        // The achiral dvb has rotatory strengths of 0 only: one file is drawn.
        PlotWindow* ecd = view->plotSpectrum(plotdata::Kind::Ecd);
        QVERIFY(ecd);
        QCOMPARE(ecd->scene().curveNames.size(), std::size_t(1));
        testing::shoot(ecd, "plot-ecd");
    }

    void scanAndAimRunsHaveAPageEach() {
        const QString data = testing::dataDir();
        if (data.isEmpty())
            QSKIP("real data folder ../shared/data is absent");
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, data);
        window_->showPanel(Panel::Scan);
        window_->listModel()->add(data, {"cclib_g16_dvb_scan_unrelaxed.log",
                                         "rmg_g03_frozen_scan.log", "cclib_g09_dvb_ir.out"});
        QVERIFY(runAndWait(window_->scanPanel()));
        // Each tool has its own page of results, in front after its run.
        ResultsView* view = window_->resultsView();
        QCOMPARE(view->outcome().read, std::size_t(2));
        QCOMPARE(view->outcome().skipped, std::size_t(1));
        QCOMPARE(view->tabs()->count(), 1);
        testing::shoot(window_.get(), "results-scan");
        PlotWindow* scan = view->plotScan();
        QVERIFY(scan);
        // One point per point row of the scan table, the lowest at 0 kcal/mol.
        std::size_t points = 0;
        for (const auto& s : scan->scene().series)
            if (s.style == plotdata::Series::Style::Points) {
                points += s.x.size();
                QCOMPARE(*std::min_element(s.y.begin(), s.y.end()), 0.0);
            }
        std::size_t rows = 0;
        const Table& t = window_->scanPanel()->scanTable();
        for (std::size_t r = 1; r < t.rows(); ++r)
            if (plotdata::numberIn(t.cell(kScanFileColumns, r)))
                ++rows;
        QCOMPARE(points, rows);
        testing::shoot(scan, "plot-scan");

        window_->showPanel(Panel::Aim);
        window_->listModel()->add(data, {"ichor_WATER_MONOMER0000.sum", "mlqtaim_A_39-opt.sum"});
        QVERIFY(runAndWait(window_->aimPanel()));
        QVERIFY(window_->resultsView() != view);  // the scan page is kept
        QCOMPARE(view->outcome().read, std::size_t(2));
        view = window_->resultsView();
        QCOMPARE(view->outcome().read, std::size_t(2));
        QCOMPARE(view->outcome().failed, std::size_t(0));
        QVERIFY(view->tableView(0)->model()->rowCount() > 2);
        testing::shoot(window_.get(), "results-aim");
    }

  private:
    std::unique_ptr<ProgramFolder> program_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(ResultsViewTest)
#include "resultsview_test.moc"
