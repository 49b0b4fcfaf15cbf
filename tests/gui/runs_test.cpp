// The reading tools run over real output files from the window: tables
// filled, rows unticked, messages once, export buttons enabled, the save
// dialogs started in the folder of the files and refusing the files read; a
// cancelled run keeps the previous results.

#include <unistd.h>

#include <QCheckBox>
#include <QStatusBar>
#include <QtTest>

#include "core/results/exporttable.hpp"
#include "core/results/textexport.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/backgroundrun.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::readFile;
using zerlant::gui::testing::runAndWait;

class RunsTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() {
        data_ = testing::dataDir();
        if (data_.isEmpty())
            QSKIP("real data folder ../shared/data is absent");
        startSession();
        openWindow(data_);
    }
    void cleanup() { endSession(); }

    void extractFillsTheTableUnticksScansAndExportsText() {
        const QStringList names = {"aqme_g09_CO2_linear_4freqs.log",
                                   "cclib_g16_dvb_scan_unrelaxed.log",
                                   "water_missing.gjf",
                                   "aqme_g09_MeOH_SCF_error.log",
                                   "rmg_g03_frozen_scan.log",
                                   "cclib_g09_dvb_gopt.out"};
        FileListModel* list = window_->listModel();
        list->add(data_, names);
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(!panel->exportEnabled());
        QVERIFY(runAndWait(panel));

        // Three output files get rows (the scans and the job file do not).
        const Table& table = panel->resultTable();
        QCOMPARE(table.rows(), std::size_t(4));
        QCOMPARE(QString::fromStdString(table.cell(0, 1)), names[0]);
        QCOMPARE(QString::fromStdString(table.cell(21, 1)), QString("OK"));
        QCOMPARE(QString::fromStdString(table.cell(0, 2)), names[3]);
        QCOMPARE(QString::fromStdString(table.cell(21, 2)), QString("KO"));
        QCOMPARE(QString::fromStdString(table.cell(0, 3)), names[5]);
        // The scan jobs are unticked, message 134 is shown once.
        QVERIFY(list->isChecked(1));
        QVERIFY(!list->isChecked(2));
        QVERIFY(list->isChecked(3));
        QVERIFY(!list->isChecked(5));
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::ScanJobsSkipped));
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(dialogs_->shown[0].title, app_->title());
        QVERIFY(panel->exportEnabled());
        QVERIFY(window_->centralWidget()->isEnabled());

        // The text export: a save dialog offers the folder's name in the
        // folder of the files; the ticked columns, one line per file.
        const QString expectedPath =
            QDir(program_->path()).filePath(QDir(data_).dirName() + ".txt");
        dialogs_->saveAnswer = expectedPath;
        panel->textButton()->click();
        QCOMPARE(QDir::cleanPath(dialogs_->suggestedPaths.value(0)),
                 QDir::cleanPath(QDir(data_).absoluteFilePath(QDir(data_).dirName() + ".txt")));
        QCOMPARE(window_->statusBar()->currentMessage(), expectedPath);
        QVERIFY(dialogs_->questions.isEmpty());
        const QByteArray text = readFile(expectedPath);
        const QList<QByteArray> lines = text.split('\n');
        QCOMPARE(lines.size(), 5);  // four lines and the empty rest after the last CR LF
        auto caption = [this](Msg m) {
            return QByteArray::fromStdString(upperCaption(app_->msg(m).toStdString()));
        };
        QCOMPARE(lines[0], caption(Msg::File) + ";" + caption(Msg::Formula) + ";" +
                               caption(Msg::Method) + ";" + caption(Msg::BasisSet) + ";" +
                               caption(Msg::Status) + "\r");
        QVERIFY(lines[1].startsWith(names[0].toUtf8() + ";"));
        QVERIFY(lines[1].endsWith(";OK\r"));
        QCOMPARE(lines[2], names[3].toUtf8() + ";Error;Error;Error;KO\r");
        QCOMPARE(text, QByteArray::fromStdString(exportTextBytes(panel->exportTable(), ";")));

        // Unticking the file box drops the first column from the next
        // export; the file exists, so the user is asked before it is replaced.
        panel->box(ExtractBox::File)->setChecked(false);
        panel->textButton()->click();
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text,
                 app_->msg(Msg::ReplaceQuestion).arg(QDir(data_).dirName() + ".txt"));
        QVERIFY(readFile(expectedPath).startsWith(caption(Msg::Formula) + ";"));
        // A No leaves the file as it was (and the dialog comes back).
        const QByteArray kept = readFile(expectedPath);
        panel->box(ExtractBox::File)->setChecked(true);
        dialogs_->confirmAnswer = false;
        panel->textButton()->click();
        QCOMPARE(readFile(expectedPath), kept);
        QVERIFY(dialogs_->suggestedPaths.size() > 3);
        dialogs_->confirmAnswer = true;

        // Showing the panel again re-creates the detail table; the export
        // buttons stay enabled and exporting does not fail.
        window_->toolbarClicked("Extraer");
        QVERIFY(panel->exportEnabled());
        panel->textButton()->click();
        QCOMPARE(readFile(expectedPath).count('\n'), 4);

        // Never in the program's folder, whatever it holds.
        QVERIFY(QDir(program_->path()).removeRecursively());
        QTemporaryDir elsewhere;
        dialogs_->suggestedPaths.clear();
        dialogs_->saveAnswer = elsewhere.filePath("chosen.txt");
        panel->textButton()->click();
        QCOMPARE(dialogs_->suggestedPaths.size(), 1);
        QVERIFY(!dialogs_->suggestedPaths[0].startsWith(program_->path()));
        QVERIFY(dialogs_->suggestedPaths[0].endsWith("/" + QDir(data_).dirName() + ".txt"));
        QCOMPARE(window_->statusBar()->currentMessage(), dialogs_->saveAnswer);
        QCOMPARE(readFile(dialogs_->saveAnswer).count('\n'), 4);
        // Cancelling the dialog writes nothing.
        dialogs_->saveAnswer.clear();
        panel->sheetButton()->click();
        QCOMPARE(dialogs_->suggestedPaths.size(), 2);
        QVERIFY(dialogs_->suggestedPaths[1].endsWith("/" + QDir(data_).dirName() + ".xlsx"));
        QVERIFY(dialogs_->opened.isEmpty());
    }

    // No save dialog takes a file read, by its path or a link to it, while it
    // is in the list or in the run shown; the user is told and asked again.
    void saveDialogsRefuseTheFilesRead() {
        QTemporaryDir folder;
        const QString job = folder.filePath("job.log");
        QVERIFY(
            QFile::copy(QStringLiteral(ZERLANT_SOURCE_DIR "/examples/water_opt_freq.log"), job));
        QVERIFY(QFile::link(job, folder.filePath("link.txt")));
        const QByteArray before = readFile(job);
        FileListModel* list = window_->listModel();
        list->add(folder.path(), {"job.log"});
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(runAndWait(panel));
        for (const char* name : {"job.log", "link.txt"}) {
            for (QPushButton* button : {panel->textButton(), panel->sheetButton()}) {
                dialogs_->shown.clear();
                dialogs_->saveAnswer = folder.filePath(name);
                button->click();
                QVERIFY(!dialogs_->shown.isEmpty());
                QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
                QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::NeverReplaceInput).arg(name));
                QVERIFY(dialogs_->questions.isEmpty());
                QCOMPARE(readFile(job), before);
                QVERIFY(QFileInfo(folder.filePath("link.txt")).isSymLink());
            }
        }
        QVERIFY(dialogs_->suggestedPaths.value(0).startsWith(folder.path()));
        // Out of the list, the file is still one of the run shown (whose
        // plots and thermochemistry stay open), under any of its names.
        QVERIFY(::link(job.toLocal8Bit().constData(),
                       folder.filePath("hard.txt").toLocal8Bit().constData()) == 0);
        list->removeEntries({0});
        QCOMPARE(list->entryCount(), std::size_t(0));
        dialogs_->shown.clear();
        dialogs_->saveAnswer = folder.filePath("hard.txt");
        panel->exportText();
        QCOMPARE(dialogs_->shown.value(0).text, app_->msg(Msg::NeverReplaceInput).arg("hard.txt"));
        QCOMPARE(readFile(job), before);
    }

    void aCancelledRunKeepsThePreviousResults() {
        FileListModel* list = window_->listModel();
        list->add(data_, {"aqme_g09_CO2_linear_4freqs.log"});
        ExtractPanel* panel = window_->extractPanel();
        QVERIFY(runAndWait(panel));
        const Table before = panel->resultTable();
        QVERIFY(panel->exportEnabled());

        // Many files, cancelled at once.
        QDir dir(data_);
        list->add(data_, dir.entryList({"*.log", "*.out"}, QDir::Files, QDir::Name));
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

    void scanTabulatesScansAndUnticksTheOthers() {
        window_->toolbarClicked("Scan");
        FileListModel* list = window_->listModel();
        list->add(data_, {"cclib_g16_dvb_scan_unrelaxed.log", "cclib_g09_dvb_gopt.out"});
        ScanPanel* panel = window_->scanPanel();
        QVERIFY(runAndWait(panel));
        QVERIFY(panel->scanTable().rows() > 2);
        QVERIFY(list->isChecked(1));
        QVERIFY(!list->isChecked(2));
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::NotScanJobsUnticked));
        QVERIFY(panel->exportEnabled());
        // Showing the panel again empties its table but keeps the buttons.
        window_->toolbarClicked("Scan");
        QCOMPARE(panel->scanTable().rows(), std::size_t(2));
        QVERIFY(panel->exportEnabled());
    }

    void aimTabulatesBondCriticalPoints() {
        window_->toolbarClicked("Aim");
        FileListModel* list = window_->listModel();
        list->add(data_, {"pymolqtaim_water_min.sum", "cclib_g09_dvb_gopt.out"});
        // A file removed after it was added: the run says so.
        QTemporaryDir elsewhere;
        const QString gone = elsewhere.filePath("gone.sum");
        QVERIFY(QFile(gone).open(QIODevice::WriteOnly));
        list->add(elsewhere.path(), {"gone.sum"});
        QVERIFY(QFile::remove(gone));
        AimPanel* panel = window_->aimPanel();
        QVERIFY(runAndWait(panel));
        QVERIFY(panel->aimTable().rows() >= 3);  // water: two O-H bond critical points
        QCOMPARE(QString::fromStdString(panel->aimTable().cell(0, 1)),
                 QString("pymolqtaim_water_min.sum"));
        QVERIFY(!list->isChecked(2));
        QVERIFY(panel->exportEnabled());
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QVERIFY(dialogs_->shown[0].text.startsWith(gone + ":"));
        dialogs_->shown.clear();

        // The workbook goes where the save dialog says (the folder of the
        // files offered first) and is opened.
        const QString workbook = QDir(program_->path()).filePath(QDir(data_).dirName() + ".xlsx");
        dialogs_->saveAnswer = workbook;
        panel->sheetButton()->click();
        QCOMPARE(QDir::cleanPath(dialogs_->suggestedPaths.value(0)),
                 QDir::cleanPath(QDir(data_).absoluteFilePath(QDir(data_).dirName() + ".xlsx")));
        QVERIFY(QFile::exists(workbook));
        QCOMPARE(dialogs_->opened.size(), 1);
        QCOMPARE(dialogs_->opened[0].toLocalFile(), workbook);
        // No program opens it: a message says where it was written.
        dialogs_->openAnswer = false;
        panel->sheetButton()->click();
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY(dialogs_->shown[0].text.contains(workbook));
    }

  private:
    QString data_;
};

QTEST_MAIN(RunsTest)
#include "runs_test.moc"
