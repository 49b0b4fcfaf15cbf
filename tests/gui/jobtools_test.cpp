// The window's tools from results to the next job, on copies of real
// outputs: the next-job preview writes nothing until accepted and never
// replaces a file; the sort preview moves on acceptance and the Rename
// panel's Undo puts everything back; the thermochemistry view pairs single
// points by suffix; the plot weights conformers by population.  With
// ZERLANT_SCREENS=FOLDER the dialogs are saved as screenshots there
// (ZERLANT_SCREENS_LANG=Español for the Spanish captions).

#include <QCheckBox>
#include <QDirIterator>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "core/filelist/workinglist.hpp"
#include "gui/app/messages.hpp"
#include "gui/jobs/jobdialogs.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/undojournal.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/thermoview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

namespace {

QStringList filesIn(const QString& folder) {
    QStringList names;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

QStringList column(const QTableWidget* t, int c) {
    QStringList cells;
    for (int r = 0; r < t->rowCount(); ++r) cells << t->item(r, c)->text();
    return cells;
}

}  // namespace

class JobToolsTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() {
        startSession();
        app_->setJournalFolder(journal_.path());
        if (testing::dataDir().isEmpty())
            QSKIP("real data folder ../shared/data is absent");
    }
    void cleanup() { endSession(); }

    void nextJobWritesOnlyAcceptedNewFiles() {
        QTemporaryDir dir;
        QVERIFY(testing::copyData({{"goodvibes_g09_H2O.log", "water.log"},
                                   {"aqme_g09_Imag_freq.log", "imag.log"},
                                   {"aqme_g09_CH2OH2_unfinished.log", "stopped.log"},
                                   {"aqme_g09_Basis_set_error1.log", "basis.log"}},
                                  dir.path()));
        // A new input of that name is there already: it stays as it is.
        QVERIFY(testing::writeFile(dir.filePath("imag_next.gjf"), "mine\n"));
        const QStringList before = filesIn(dir.path());

        std::vector<std::string> outputs;
        for (const char* f : {"water.log", "imag.log", "stopped.log", "basis.log"})
            outputs.push_back(dir.filePath(f).toStdString());
        NextJobDialog dialog(*app_, outputs);
        QCOMPARE(filesIn(dir.path()), before);  // a preview writes nothing
        QTableWidget* t = dialog.table();
        QCOMPARE(column(t, 1),
                 QStringList({app_->msg(Msg::DiagnosisFinished), app_->msg(Msg::DiagnosisImaginary),
                              app_->msg(Msg::DiagnosisOptStopped),
                              app_->msg(Msg::DiagnosisInputError)}));
        QCOMPARE(column(t, 3), QStringList({"water_next.gjf",
                                            "imag_next.gjf (" + app_->msg(Msg::AlreadyThere) + ")",
                                            "stopped_next.gjf", ""}));
        // The input of the row chosen, as it would be written.
        t->setCurrentCell(2, 0);
        QVERIFY(dialog.inputText()->toPlainText().contains("opt"));
        testing::shoot(&dialog, "next-job-dialog");

        const auto written = dialog.writeInputs();
        QCOMPARE(written.count, 2);
        QVERIFY(written.failures.empty());
        QVERIFY(QFile::exists(dir.filePath("water_next.gjf")));
        QVERIFY(QFile::exists(dir.filePath("stopped_next.gjf")));
        QCOMPARE(testing::readFile(dir.filePath("imag_next.gjf")), QByteArray("mine\n"));
        // A second preview finds nothing new to write.
        NextJobDialog again(*app_, outputs);
        QVERIFY(again.pendingInputs().empty());
        QVERIFY(!again.writeButton()->isEnabled());
    }

    void sortMovesOnAcceptAndRenameUndoPutsBack() {
        QTemporaryDir dir;
        QVERIFY(testing::copyData({{"goodvibes_g09_H2O.log", "water.log"},
                                   {"aqme_g09_Imag_freq.log", "imag.log"},
                                   {"aqme_g09_CH2OH2_unfinished.log", "stopped.log"}},
                                  dir.path()));
        QVERIFY(testing::writeFile(dir.filePath("water.gjf"), "# opt freq b3lyp/sto-3g\n"));
        const QStringList before = filesIn(dir.path());

        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, dir.path());
        window_->showPanel(Panel::Rename);
        window_->listModel()->add(dir.path(),
                                  {"water.log", "imag.log", "stopped.log", "water.gjf"});
        // The dialog of the menu, accepted as the user would.
        QTimer::singleShot(0, this, [this] {
            auto* d = qobject_cast<SortJobsDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            testing::shoot(d, "sort-jobs-dialog");
            d->moveButton()->click();
        });
        window_->sortJobs();
        QCOMPARE(filesIn(dir.path()), QStringList({"done/water.gjf", "done/water.log",
                                                   "imaginary/imag.log", "running/stopped.log"}));
        // The list follows the outputs.
        QCOMPARE(QString::fromStdString(window_->listModel()->list().rows()[1].path),
                 dir.filePath("done/water.log"));

        auto* rename = window_->panel(Panel::Rename)->findChild<QPushButton*>("BTdeshacer");
        window_->showPanel(Panel::Extract);
        window_->showPanel(Panel::Rename);
        QVERIFY(rename->isEnabled());
        rename->click();
        QCOMPARE(filesIn(dir.path()), before);
        QVERIFY(!QDir(dir.filePath("done")).exists());
    }

    void thermoViewPairsSinglePointsBySuffix() {
        QTemporaryDir dir;
        QVERIFY(testing::copyData({{"cclib_g09_dvb_ir.out", "dvb.out"},
                                   {"cclib_g09_dvb_sp.out", "dvb_tz.out"},
                                   {"cclib_g09_dvb_ir.out", "cation.out"},
                                   {"cclib_g09_dvb_un_sp.log", "cation_tz.log"}},
                                  dir.path()));
        FileRows rows(1);
        for (const char* f : {"dvb.out", "cation.out"})
            rows.push_back({true, f, dir.filePath(f).toStdString(), {}});
        auto files = readThermoFiles(rows, nullptr);
        ThermoView view(*app_, *dialogs_);
        view.setFiles(std::move(*files));
        const int plain = view.table()->model()->columnCount();
        view.singlePointSuffixBox()->setText("tz");
        emit view.singlePointSuffixBox()->editingFinished();
        QCOMPARE(view.table()->model()->columnCount(), plain + 5);
        QVERIFY(view.rows()[0].ok() && view.rows()[0].singlePoint);
        // The note names the single point beside the file by its name.
        QVERIFY(view.rows()[1].error.starts_with("single point cation_tz.log: "));
        // A new temperature keeps the pairs and recomputes the combined values.
        const double g = *thermo::combinedWithSinglePoint(view.rows()[0], "sp_g");
        view.temperatureBox()->setValue(400);
        QVERIFY(*thermo::combinedWithSinglePoint(view.rows()[0], "sp_g") < g);
        view.singlePointSuffixBox()->setText("");
        emit view.singlePointSuffixBox()->editingFinished();
        QCOMPARE(view.table()->model()->columnCount(), plain);
        QVERIFY(view.rows()[1].ok());
    }

    void plotSumsConformersByPopulation() {
        const std::vector<CartesianAtom> atoms = {{8, "O", 0, 0, 0}, {1, "H", 0.96, 0, 0}};
        const std::vector<CartesianAtom> other = {{8, "O", 0, 0, 0}, {1, "H", 1.5, 0, 0}};
        PlotWindow plot(*app_, *dialogs_);
        plot.showSpectrum(plotdata::Kind::Ir, {{"a", {{1600, 40}}}, {"b", {{1500, 80}}}},
                          {{"a", "HO", -76.0, atoms}, {"b", "HO", -75.9, other}});
        QVERIFY(!plot.boltzmannCheck()->isHidden());
        QCOMPARE(plot.scene().curves.size(), std::size_t(2));
        plot.boltzmannCheck()->setChecked(true);
        QCOMPARE(plot.scene().curves.size(), std::size_t(1));
        // Without conformers there is nothing to weigh by.
        plot.showSpectrum(plotdata::Kind::Ir, {{"a", {{1600, 40}}}, {"b", {{1500, 80}}}});
        QVERIFY(plot.boltzmannCheck()->isHidden());
    }

  private:
    QTemporaryDir journal_;
};

QTEST_MAIN(JobToolsTest)
#include "jobtools_test.moc"
