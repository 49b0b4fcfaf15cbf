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
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include "core/plotdata/numbertext.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/resultsview.hpp"
#include "gui/results/tablemodel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::runAndWait;

// A saved SVG is XML that an SVG renderer draws (when the tools are there).
void expectValidSvg(const QString& path) {
    if (QStandardPaths::findExecutable("xmllint").isEmpty() ||
        QStandardPaths::findExecutable("rsvg-convert").isEmpty())
        return;
    QCOMPARE(QProcess::execute("xmllint", {"--noout", path}), 0);
    QCOMPARE(QProcess::execute("rsvg-convert", {"-o", path + ".png", path}), 0);
}

class ResultsViewTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    void modelSortsValuesMarksErrorsAndCopies() {
        ViewTable t;
        t.columns = {{"FILE", {}, "The file", {}},
                     {"ENERGY", "hartree", "SCF energy", {4, false}},
                     {"STATUS", {}, {}, {}}};
        t.addRow({std::string("a.log"), -10.5, std::string("OK")}, "a.log");
        t.addRow({std::string("b.log"), 9.0, std::string("OK")}, "b.log");
        t.addRow({std::string("c.log"), std::string("Error"), std::string("KO")}, "c.log",
                 ViewRow::Error);
        t.addRow({std::string("d.log"), CellValue(), std::string("OK")}, "d.log");
        t.addRow({std::string("e.log"), 0.123456789, std::string("OK")}, "e.log");
        ResultTableModel model;
        model.setView(t, "N/A", ',');
        QCOMPARE(model.rowCount(), 5);
        // The unit under the title, the name of the quantity in the tool tip.
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("ENERGY\n(hartree)"));
        QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
                 QString("SCF energy (hartree)"));
        // The column's decimals and the user's separator; the value in full
        // in the tool tip where the cell rounds it.
        QCOMPARE(model.index(0, 1).data().toString(), QString("-10,5000"));
        QCOMPARE(model.index(4, 1).data().toString(), QString("0,1235"));
        QCOMPARE(model.index(4, 1).data(Qt::ToolTipRole).toString(), QString("0,123456789"));
        QCOMPARE(model.index(4, 1).data(Qt::EditRole).toDouble(), 0.123456789);
        QCOMPARE(model.index(3, 1).data().toString(), QString("N/A"));
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(model.isErrorRow(2) && !model.isErrorRow(0));
        QVERIFY(model.index(2, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(model.index(3, 1).data(Qt::FontRole).value<QFont>().italic());

        ResultSortProxy proxy;
        proxy.setSourceModel(&model);
        auto order = [&proxy] {
            QStringList files;
            for (int r = 0; r < proxy.rowCount(); ++r) files << proxy.index(r, 0).data().toString();
            return files.join(' ');
        };
        // Numbers by value, then the text, then the missing value, either way.
        proxy.sort(1, Qt::DescendingOrder);
        QCOMPARE(order(), QString("b.log e.log a.log c.log d.log"));
        proxy.sort(1, Qt::AscendingOrder);
        QCOMPARE(order(), QString("a.log e.log b.log c.log d.log"));
        proxy.sort(2, Qt::AscendingOrder);
        QCOMPARE(proxy.index(0, 0).data().toString(), QString("c.log"));  // KO before OK
        proxy.setFile("c.log");
        QCOMPARE(proxy.rowCount(), 1);
        proxy.setFile({});
        proxy.sort(0, Qt::AscendingOrder);

        QItemSelectionModel selection(&proxy);
        selection.select(proxy.index(0, 0), QItemSelectionModel::Select);
        selection.select(proxy.index(1, 1), QItemSelectionModel::Select);
        QCOMPARE(selectionAsTsv(proxy, selection),
                 QString("FILE\tENERGY (hartree)\na.log\t\n\t9,0000\n"));
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
        // Units under the titles, and the first file's values as Gaussian
        // prints them: the dipole with 4 decimals, HOMO with 5.
        auto heading = [main](int c) {
            return main->model()->headerData(c, Qt::Horizontal).toString();
        };
        QVERIFY(heading(4).endsWith("(hartree)"));
        QVERIFY(heading(7).endsWith("(debye)"));
        QVERIFY(
            !main->model()->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty());
        QCOMPARE(main->model()->index(0, 1).data().toString(), QString("C10H10"));
        QVERIFY(QRegularExpression("^\\d+[.,]\\d{4}$")
                    .match(main->model()->index(0, 7).data().toString())
                    .hasMatch());

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
        QVERIFY(
            testing::writeFile(measured, "# eV, absorbance\n4.5,0.1\n5.3,0.8\n6.0,0.3\n6.8,0.2\n"));
        // A file without a point is said so in the user's language.
        const QString empty = program_->path() + "/header-only.csv";
        QVERIFY(testing::writeFile(empty, "# eV, absorbance\n"));
        dialogs_->shown.clear();
        QVERIFY(!uv->overlayMeasured(empty));
        QCOMPARE(dialogs_->shown.value(0).text,
                 app_->msg(Msg::NoPairsFound).arg(QDir::toNativeSeparators(empty)));
        QVERIFY(uv->overlayMeasured(measured));
        QVERIFY(uv->scene().series.back().dashed);
        QVERIFY(QString::fromStdString(uv->scene().series.back().name).endsWith("measured.csv"));
        testing::shoot(uv, "plot-uv-ev-measured");
        // The plot's save dialogs start in the folder of the files read and
        // refuse the measured spectrum.
        dialogs_->shown.clear();
        dialogs_->suggestedPaths.clear();
        dialogs_->saveAnswer = measured;
        QVERIFY(QMetaObject::invokeMethod(uv, "chooseCsv"));
        QCOMPARE(dialogs_->shown.value(0).text,
                 app_->msg(Msg::NeverReplaceInput).arg("measured.csv"));
        QVERIFY(testing::readFile(measured).startsWith("# eV"));
        QVERIFY(
            dialogs_->suggestedPaths.value(0).startsWith(QFileInfo(data + "/x").absolutePath()));
        dialogs_->saveAnswer.clear();
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
        expectValidSvg(program_->path() + "/uv.svg");
        QVERIFY(testing::readFile(program_->path() + "/uv.pdf").startsWith("%PDF"));

        PlotWindow* ir = view->plotSpectrum(plotdata::Kind::Ir);
        QVERIFY(ir);
        ir->scaleBox()->setValue(0.967);
        QVERIFY(QString::fromStdString(ir->scene().note).contains("0.967"));
        testing::shoot(ir, "plot-ir");
        // No file of the run has Raman activities: a message, no window.
        QVERIFY(!view->plotSpectrum(plotdata::Kind::Raman));
        QCOMPARE(dialogs_->texts().back(), app_->msg(Msg::NoSuchSpectrum));
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
        QVERIFY(!scan->viewBox()->isVisibleTo(scan));  // no scan of two coordinates

        // A rigid scan of two coordinates: a family of curves, or a map.
        const QString pes = program_->path() + "/pes.log";
        QVERIFY(QFile::copy(data + "/cclibdata_g09_water-pes.g09", pes));
        window_->listModel()->add(program_->path(), {"pes.log"});
        QVERIFY(runAndWait(window_->scanPanel()));
        PlotWindow* grid = view->plotScan();
        QVERIFY(grid);
        QVERIFY(grid->viewBox()->isVisibleTo(grid));
        testing::shoot(grid, "plot-scan-family");
        grid->viewBox()->setCurrentIndex(1);
        QVERIFY(grid->showingMap());
        testing::shoot(grid, "plot-scan-map");
        for (const char* ext : {"png", "svg"}) {
            const QString image = program_->path() + "/map." + ext;
            QVERIFY(grid->saveImage(image));
            QVERIFY(QFileInfo(image).size() > 1000);
        }
        expectValidSvg(program_->path() + "/map.svg");

        window_->showPanel(Panel::Aim);
        window_->listModel()->add(data, {"ichor_WATER_MONOMER0000.sum", "mlqtaim_A_39-opt.sum"});
        QVERIFY(runAndWait(window_->aimPanel()));
        QVERIFY(window_->resultsView() != view);         // the scan page is kept
        QCOMPARE(view->outcome().read, std::size_t(3));  // the two scans and pes.log
        view = window_->resultsView();
        QCOMPARE(view->outcome().read, std::size_t(2));
        QCOMPARE(view->outcome().failed, std::size_t(0));
        QVERIFY(view->tableView(0)->model()->rowCount() > 2);
        testing::shoot(window_.get(), "results-aim");
    }
};

QTEST_MAIN(ResultsViewTest)
#include "resultsview_test.moc"
