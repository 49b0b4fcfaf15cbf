// The reading tools run from the window over real outputs: tables filled,
// rows unticked, messages once, the results view with its tables, blocks and
// plots, exports whose save dialogs start in the folder of the files and
// refuse the files read, and a cancelled run keeping the previous results.
// The table model first, on a table of its own.  With ZERLANT_SCREENS=FOLDER
// the test saves 1280x800 screenshots there (ZERLANT_SCREENS_LANG=Español
// for the Spanish captions).

#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QItemSelectionModel>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

#include "core/plotdata/numbertext.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/textexport.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/backgroundrun.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/resultsview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::readFile;
using zerlant::gui::testing::runAndWait;

namespace {

// Saves the plot in each format into the folder: files of some size, an SVG
// that is XML an SVG renderer draws (when the tools are there), a PDF.
void expectImages(PlotWindow* plot, const QString& stem, QStringList formats) {
    for (const QString& ext : formats) {
        const QString image = stem + "." + ext;
        QVERIFY(plot->saveImage(image));
        QVERIFY(QFileInfo(image).size() > 1000);
        QVERIFY(testing::readFile(image).contains(ext == "svg"   ? "<svg"
                                                  : ext == "pdf" ? "%PDF"
                                                                 : ""));
        if (ext == "svg" && !QStandardPaths::findExecutable("xmllint").isEmpty() &&
            !QStandardPaths::findExecutable("rsvg-convert").isEmpty()) {
            QCOMPARE(QProcess::execute("xmllint", {"--noout", image}), 0);
            QCOMPARE(QProcess::execute("rsvg-convert", {"-o", image + ".png", image}), 0);
        }
    }
}

}  // namespace

class RunsTest : public QObject, testing::Session {
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
        // The unit under the title.
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("ENERGY\n(hartree)"));
        // The column's decimals and the user's separator; the value in full
        // in the tool tip where the cell rounds it.
        QCOMPARE(model.index(0, 1).data().toString(), QString("-10,5000"));
        QCOMPARE(model.index(4, 1).data().toString(), QString("0,1235"));
        QCOMPARE(model.index(4, 1).data(Qt::ToolTipRole).toString(), QString("0,123456789"));
        QCOMPARE(model.index(3, 1).data().toString(), QString("N/A"));
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
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
        const std::tuple<int, Qt::SortOrder, const char*> sorts[] = {
            {1, Qt::DescendingOrder, "b.log e.log a.log c.log d.log"},
            {1, Qt::AscendingOrder, "a.log e.log b.log c.log d.log"},
            {2, Qt::AscendingOrder, "c.log"},  // KO before OK
            {0, Qt::AscendingOrder, "a.log b.log c.log d.log e.log"}};
        for (const auto& [column, way, expected] : sorts) {
            proxy.sort(column, way);
            QVERIFY2(order().startsWith(expected), qPrintable(order()));
        }
        proxy.setFile("c.log");
        QCOMPARE(order(), QString("c.log"));
        proxy.setFile({});

        QItemSelectionModel selection(&proxy);
        selection.select(proxy.index(0, 0), QItemSelectionModel::Select);
        selection.select(proxy.index(1, 1), QItemSelectionModel::Select);
        QCOMPARE(selectionAsTsv(proxy, selection),
                 QString("FILE\tENERGY (hartree)\na.log\t\n\t9,0000\n"));
    }

    void extractRunShowsItsTablesBlocksAndSpectra() {
        ZERLANT_DATA_OR_SKIP(data);
        openWindow(data);
        auto* dock = window_->findChild<QDockWidget*>("resultsDock");
        auto* view = window_->findChild<ResultsView*>("resultsView");
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

        // A file's row leads to its blocks; the main table keeps every file.
        const int before = view->tableView(1)->model()->rowCount();
        view->showFileBlocks("cclib_g16_dvb_td.out");
        QCOMPARE(view->tabs()->currentIndex(), 1);
        QVERIFY(view->tableView(1)->model()->rowCount() < before);
        QCOMPARE(view->tableView(0)->model()->rowCount(), 4);
        view->showFileBlocks({});
        testing::shoot(window_.get(), "results-extract");

        // The spectra come from the run's tables.
        PlotWindow* uv = view->plotSpectrum(plotdata::Kind::Uv);
        QVERIFY(uv);
        QCOMPARE(uv->scene().curveNames.size(), std::size_t(2));
        testing::shoot(uv, "plot-uv");
        uv->unitBox()->setCurrentIndex(1);  // eV
        // A measured spectrum laid over; a file without a point is said so.
        const QString measured = program_->path() + "/measured.csv";
        QVERIFY(
            testing::writeFile(measured, "# eV, absorbance\n4.5,0.1\n5.3,0.8\n6.0,0.3\n6.8,0.2\n"));
        const QString empty = program_->path() + "/header-only.csv";
        QVERIFY(testing::writeFile(empty, "# eV, absorbance\n"));
        dialogs_->shown.clear();
        QVERIFY(!uv->overlayMeasured(empty));
        QCOMPARE(dialogs_->texts(),
                 QStringList{app_->msg(Msg::NoPairsFound).arg(QDir::toNativeSeparators(empty))});
        QVERIFY(uv->overlayMeasured(measured));
        QVERIFY(uv->scene().series.back().dashed);
        // The plot's save dialogs start in the folder of the files read and
        // refuse the measured spectrum.
        dialogs_->shown.clear();
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
        expectImages(uv, program_->path() + "/uv", {"png", "svg", "pdf"});

        // No file of the run has Raman activities: a message, no window.
        QVERIFY(!view->plotSpectrum(plotdata::Kind::Raman));
        QCOMPARE(dialogs_->texts().back(), app_->msg(Msg::NoSuchSpectrum));
    }

    void scanAndAimRunsHaveAPageEach() {
        ZERLANT_DATA_OR_SKIP(data);
        openWindow(data);
        window_->showPanel(Panel::Scan);
        window_->listModel()->add(data, {"cclib_g16_dvb_scan_unrelaxed.log",
                                         "rmg_g03_frozen_scan.log", "cclib_g09_dvb_ir.out"});
        QVERIFY(runAndWait(window_->scanPanel()));
        // Each tool has its own page of results, in front after its run.
        ResultsView* view = window_->resultsView();
        QCOMPARE(view->outcome().read, std::size_t(2));
        QCOMPARE(view->outcome().skipped, std::size_t(1));
        // What is no scan is unticked (and said so: smallwindows_test).
        QVERIFY(window_->listModel()->isChecked(1) && !window_->listModel()->isChecked(3));
        testing::shoot(window_.get(), "results-scan");
        PlotWindow* scan = view->plotScan();
        QVERIFY(scan);
        // One point per point row of the scan table, the lowest at 0 kcal/mol.
        std::size_t points = 0, rows = 0;
        for (const auto& s : scan->scene().series)
            if (s.style == plotdata::Series::Style::Points) {
                points += s.x.size();
                QCOMPARE(*std::min_element(s.y.begin(), s.y.end()), 0.0);
            }
        const Table& t = window_->scanPanel()->scanTable();
        for (std::size_t r = 1; r < t.rows(); ++r)
            rows += plotdata::numberIn(t.cell(kScanFileColumns, r)) ? 1 : 0;
        QCOMPARE(points, rows);
        testing::shoot(scan, "plot-scan");
        QVERIFY(!scan->viewBox()->isVisibleTo(scan));  // no scan of two coordinates

        // Showing the panel again empties its table but keeps the buttons.
        window_->toolbarClicked("Scan");
        QCOMPARE(window_->scanPanel()->scanTable().rows(), std::size_t(2));
        QVERIFY(window_->scanPanel()->exportEnabled());

        // A rigid scan of two coordinates: a family of curves, or a map.
        QVERIFY(QFile::copy(data + "/cclibdata_g09_water-pes.g09", program_->path() + "/pes.log"));
        window_->listModel()->add(program_->path(), {"pes.log"});
        QVERIFY(runAndWait(window_->scanPanel()));
        PlotWindow* grid = view->plotScan();
        QVERIFY(grid->viewBox()->isVisibleTo(grid));
        grid->viewBox()->setCurrentIndex(1);
        QVERIFY(grid->showingMap());
        testing::shoot(grid, "plot-scan-map");
        expectImages(grid, program_->path() + "/map", {"png", "svg"});

        window_->showPanel(Panel::Aim);
        window_->listModel()->add(data, {"ichor_WATER_MONOMER0000.sum", "mlqtaim_A_39-opt.sum"});
        QVERIFY(runAndWait(window_->aimPanel()));
        QVERIFY(window_->resultsView() != view);         // the scan page is kept
        QCOMPARE(view->outcome().read, std::size_t(1));  // pes.log
        view = window_->resultsView();
        QCOMPARE(view->outcome().read, std::size_t(2));
        QCOMPARE(view->outcome().failed, std::size_t(0));
        QVERIFY(view->tableView(0)->model()->rowCount() > 2);
        testing::shoot(window_.get(), "results-aim");
    }

    void extractFillsTheTableUnticksScansAndExportsText() {
        const QStringList names = {"aqme_g09_CO2_linear_4freqs.log",
                                   "cclib_g16_dvb_scan_unrelaxed.log",
                                   "water_missing.gjf",
                                   "aqme_g09_MeOH_SCF_error.log",
                                   "rmg_g03_frozen_scan.log",
                                   "cclib_g09_dvb_gopt.out"};
        ZERLANT_DATA_OR_SKIP(data_);
        openWindow(data_);
        FileListModel* list = window_->listModel();
        list->add(data_, names);
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(!panel->exportEnabled());
        QVERIFY(runAndWait(panel));
        // Three output files get rows (the scans and the job file do not).
        const Table& table = panel->resultTable();
        QCOMPARE(table.rows(), std::size_t(4));
        for (auto [row, name, status] : {std::tuple{1, 0, "OK"}, {2, 3, "KO"}, {3, 5, "OK"}}) {
            QCOMPARE(QString::fromStdString(table.cell(0, row)), names[name]);
            QCOMPARE(QString::fromStdString(table.cell(21, row)), QString(status));
        }
        // The scan jobs are unticked, message 134 is shown once.
        for (std::size_t e = 1; e <= 5; ++e) QCOMPARE(list->isChecked(e), e != 2 && e != 5);
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::ScanJobsSkipped)});
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(dialogs_->shown[0].title, app_->title());
        QVERIFY(panel->exportEnabled());
        QVERIFY(window_->centralWidget()->isEnabled());

        // The text export: a save dialog offers the folder's name in the
        // folder of the files; the ticked columns, one line per file.
        const QString txt = QDir(data_).dirName() + ".txt";
        const QString path = QDir(program_->path()).filePath(txt);
        dialogs_->saveAnswer = path;
        panel->textButton()->click();
        QCOMPARE(QDir::cleanPath(dialogs_->suggestedPaths.value(0)),
                 QDir::cleanPath(QDir(data_).absoluteFilePath(txt)));
        QCOMPARE(window_->statusBar()->currentMessage(), path);
        QVERIFY(dialogs_->questions.isEmpty());
        const QByteArray text = readFile(path);
        QCOMPARE(text.count('\n'), 4);
        auto caption = [this](Msg m) {
            return QByteArray::fromStdString(upperCaption(app_->msg(m).toStdString()));
        };
        QVERIFY(text.startsWith(caption(Msg::File) + ";" + caption(Msg::Formula) + ";"));
        QCOMPARE(text, QByteArray::fromStdString(exportTextBytes(panel->exportTable(), ";")));

        // Unticking the file box drops the first column from the next
        // export; the file exists, so the user is asked before it is
        // replaced, and a No leaves it as it was.
        panel->box(ExtractBox::File)->setChecked(false);
        panel->textButton()->click();
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text, app_->msg(Msg::ReplaceQuestion).arg(txt));
        const QByteArray kept = readFile(path);
        QVERIFY(kept.startsWith(caption(Msg::Formula) + ";"));
        panel->box(ExtractBox::File)->setChecked(true);
        dialogs_->confirmAnswer = false;
        panel->textButton()->click();
        QCOMPARE(readFile(path), kept);
        dialogs_->confirmAnswer = true;

        // Showing the panel again keeps the export buttons and what they export.
        window_->toolbarClicked("Extraer");
        QVERIFY(panel->exportEnabled());
        panel->textButton()->click();
        QCOMPARE(readFile(path).count('\n'), 4);
    }

    // No save dialog takes a file read, by its path or a link to it, while it
    // is in the list or in the run shown; the user is told and asked again.
    void saveDialogsRefuseTheFilesRead() {
        openWindow(program_->path());
        QTemporaryDir folder;
        const QString job = folder.filePath("job.log");
        QVERIFY(
            QFile::copy(QStringLiteral(ZERLANT_SOURCE_DIR "/examples/water_opt_freq.log"), job));
        QVERIFY(QFile::link(job, folder.filePath("link.txt")));
        QVERIFY(::link(job.toLocal8Bit().constData(),
                       folder.filePath("hard.txt").toLocal8Bit().constData()) == 0);
        const QByteArray before = readFile(job);
        FileListModel* list = window_->listModel();
        list->add(folder.path(), {"job.log"});
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(runAndWait(panel));
        // Out of the list, the file is still one of the run shown (whose
        // plots and thermochemistry stay open), under any of its names.
        for (bool inList : {true, false}) {
            if (!inList) {
                list->removeEntries({0});  // which disables the buttons, not the export
                panel->setExportEnabled(true);
            }
            for (const char* name : {"job.log", "link.txt", "hard.txt"}) {
                for (QPushButton* button : {panel->textButton(), panel->sheetButton()}) {
                    dialogs_->shown.clear();
                    dialogs_->saveAnswer = folder.filePath(name);
                    button->click();
                    QCOMPARE(dialogs_->texts().value(0),
                             app_->msg(Msg::NeverReplaceInput).arg(name));
                    QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
                    QVERIFY(dialogs_->questions.isEmpty());
                    QCOMPARE(readFile(job), before);
                    QVERIFY(QFileInfo(folder.filePath("link.txt")).isSymLink());
                }
            }
        }
        QVERIFY(dialogs_->suggestedPaths.value(0).startsWith(folder.path()));
    }

    void aCancelledRunKeepsThePreviousResults() {
        ZERLANT_DATA_OR_SKIP(data_);
        openWindow(data_);
        FileListModel* list = window_->listModel();
        list->add(data_, {"aqme_g09_CO2_linear_4freqs.log"});
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(runAndWait(panel));
        const Table before = panel->resultTable();
        // Many files, cancelled at once.
        list->add(data_, QDir(data_).entryList({"*.log", "*.out"}, QDir::Files, QDir::Name));
        panel->setExportEnabled(true);
        QSignalSpy finished(window_->runner(), &BackgroundRun::finished);
        panel->runButton()->click();
        QVERIFY(window_->runner()->running());
        QVERIFY(!window_->centralWidget()->isEnabled());
        window_->runner()->cancel();
        QVERIFY(finished.wait(120000));
        QVERIFY(finished.at(0).at(0).toBool());
        QVERIFY(panel->resultTable() == before);
        QVERIFY(panel->exportEnabled());
        QVERIFY(window_->centralWidget()->isEnabled());
        QVERIFY(dialogs_->shown.isEmpty());
    }

    void aimTabulatesBondCriticalPoints() {
        ZERLANT_DATA_OR_SKIP(data_);
        openWindow(data_);
        window_->toolbarClicked("Aim");
        FileListModel* list = window_->listModel();
        list->add(data_, {"pymolqtaim_water_min.sum", "cclib_g09_dvb_gopt.out"});
        AimPanel* panel = window_->aimPanel();
        QVERIFY(runAndWait(panel));
        QVERIFY(panel->aimTable().rows() >= 3);  // water: two O-H bond critical points
        QVERIFY(!list->isChecked(2) && panel->exportEnabled());
        QVERIFY(dialogs_->shown.isEmpty());

        // The workbook goes where the save dialog says (the folder of the
        // files offered first) and is opened; when no program opens it, a
        // message says where it was written.
        const QString xlsx = QDir(data_).dirName() + ".xlsx";
        const QString workbook = QDir(program_->path()).filePath(xlsx);
        dialogs_->saveAnswer = workbook;
        panel->sheetButton()->click();
        QCOMPARE(QDir::cleanPath(dialogs_->suggestedPaths.value(0)),
                 QDir::cleanPath(QDir(data_).absoluteFilePath(xlsx)));
        QVERIFY(QFile::exists(workbook));
        QCOMPARE(dialogs_->opened.value(0).toLocalFile(), workbook);
        dialogs_->openAnswer = false;
        panel->sheetButton()->click();
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY(dialogs_->shown[0].text.contains(workbook));
    }
};

QTEST_MAIN(RunsTest)
#include "runs_test.moc"
