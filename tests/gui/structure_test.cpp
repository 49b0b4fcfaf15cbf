// The structure pane on real outputs: the final geometry drawn and measured
// by clicks, a normal mode animated and exported, the optimisation played
// back step by step, a running job watched as it grows, and bad input
// explained on the view.

#include <QCheckBox>
#include <QClipboard>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <filesystem>

#include "core/molecule/camera.hpp"
#include "core/molecule/jobstream.hpp"
#include "gui/app/messages.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "gui/molecule/moleculedock.hpp"
#include "gui/molecule/moleculepane.hpp"
#include "gui/molecule/structurecanvas.hpp"
#include "gui/results/resultsdock.hpp"
#include "gui/results/resultsview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using testing::writeFile;

namespace {

const QString kTs = QStringLiteral("aqme_g09_TS_CH3HCH3.log");

bool sameGeometry(const std::vector<CartesianAtom>& a, const std::vector<CartesianAtom>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& p, const auto& q) {
        return p.x == q.x && p.y == q.y && p.z == q.z;
    });
}

}  // namespace

class StructureTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    // The final geometry, clicked atoms measured, a mode frame, a step of
    // the playback, and what leaves the pane (XYZ, a mode's frames, PNG).
    void realOptimisationWithFrequencies() {
        ZERLANT_DATA_OR_SKIP(data);
        const QString path = data + "/" + kTs;
        MoleculePane pane(*app_, *dialogs_);
        pane.resize(1000, 640);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.loadFile(path);
        StructureCanvas* canvas = pane.canvas();
        QCOMPARE(canvas->atoms().size(), std::size_t(9));
        QVERIFY(pane.statusLabel()->isHidden());

        // Clicks on four atoms: a distance after two, a dihedral after four.
        // Turned first, so that no atom hides another.
        canvas->camera().turn(35, 25);
        auto click = [&](std::size_t atom) {
            const auto p = canvas->camera().project(molecule::position(canvas->atoms()[atom]));
            QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(qRound(p.x), qRound(p.y)));
        };
        click(0);
        click(1);
        QCOMPARE(canvas->picked(), (std::vector<std::size_t>{0, 1}));
        const auto d = molecule::measure(canvas->atoms(), {0, 1});
        QVERIFY(canvas->measureText().contains(
            app_->msg(Msg::DistanceValue)
                .arg(QString::number(d->value, 'f', 4)
                         .replace('.', QChar(app_->decimalSeparator())))));
        click(2);
        click(3);
        QVERIFY(canvas->measureText().contains(app_->msg(Msg::DihedralValue).section("%1", 0, 0)));
        testing::shoot(&pane, "structure");
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(2, 2));  // empty space
        QVERIFY(canvas->picked().empty());

        // The transition state's mode, marked imaginary, at a quarter period.
        QCOMPARE(pane.modeCount(), 21);
        QVERIFY(pane.modeList()->item(0)->text().contains(app_->msg(Msg::Imaginary)));
        QVERIFY(pane.modeList()->item(0)->text().contains("-1616"));
        molecule::JobFollower follower(path.toStdString());
        QVERIFY(follower.poll().ok());
        const auto modes = follower.geometry().normalModes();
        const auto& final = follower.geometry().latest();
        pane.modeList()->setCurrentRow(0);
        pane.showModeFrame(5);
        for (std::size_t i = 0; i < final.size(); ++i)
            QVERIFY(qFuzzyCompare(1.0 + canvas->atoms()[i].x,
                                  1.0 + final[i].x + 0.5 * modes->modes[0].displacements[i][0]));

        // Export of the mode: twenty frames of nine atoms.
        dialogs_->saveAnswer = program_->path() + "/mode1.xyz";
        pane.exportMode();
        const QList<QByteArray> lines = testing::readFile(dialogs_->saveAnswer).split('\n');
        QCOMPARE(lines.size(), qsizetype(20 * 11 + 1));
        QVERIFY(lines[1].contains("mode 1 -1616.73 cm-1 frame 1/20"));

        // Playback: the first step's geometry, then the player moves on.
        QCOMPARE(pane.stepCount(), static_cast<int>(follower.geometry().steps().size()));
        QVERIFY(pane.stepCount() > 2);
        pane.sideTabs()->setCurrentIndex(1);
        pane.stepSlider()->setValue(2);
        QVERIFY(sameGeometry(canvas->atoms(), follower.geometry().steps()[2].atoms));
        QCOMPARE(pane.stepTable()->currentRow(), 2);
        QVERIFY(pane.stepTable()->item(pane.stepCount() - 1, 0)->text().contains(u'\u2713'));
        pane.stepTable()->selectRow(1);
        QCOMPARE(pane.stepSlider()->value(), 1);
        QVERIFY(sameGeometry(canvas->atoms(), follower.geometry().steps()[1].atoms));
        pane.findChild<QPushButton*>("stepPlay")->click();
        QTRY_COMPARE_WITH_TIMEOUT(pane.stepSlider()->value(), 2, 3000);
        testing::shoot(&pane, "structure-playback");
        pane.findChild<QPushButton*>("stepPlay")->click();

        // What leaves the pane.
        pane.copyXyz();
        QVERIFY(QApplication::clipboard()->text().startsWith("9\n" + kTs + "\n"));
        dialogs_->saveAnswer = program_->path() + "/view.png";
        pane.saveImage();
        QVERIFY(!QImage(dialogs_->saveAnswer).isNull());
        QVERIFY(dialogs_->shown.isEmpty());
    }

    // A job written while it is watched: steps come in as the file grows,
    // the watch stops at the termination line and the modes appear; a file
    // cut while watched says so and keeps what was shown.
    void watchedJobGrowsThenEnds() {
        ZERLANT_DATA_OR_SKIP(data);
        const QByteArray whole = testing::readFile(data + "/" + kTs);
        const QString job = program_->path() + "/running.log";
        const qsizetype half = whole.indexOf("Converged?", whole.size() / 3);
        writeFile(job, whole.left(half));
        MoleculePane pane(*app_, *dialogs_);
        pane.loadFile(job);
        QVERIFY(pane.watchBox()->isEnabled());
        const int before = pane.stepCount();
        QCOMPARE(pane.modeCount(), 0);
        pane.watchBox()->click();
        QVERIFY(pane.watching());
        QCOMPARE(pane.statusLabel()->text(), app_->msg(Msg::Watching));
        writeFile(job, whole.mid(half, whole.size() - half - 2000), true);
        pane.pollNow();
        QVERIFY(pane.stepCount() > before);
        QVERIFY(pane.watching());
        writeFile(job, whole.right(2000), true);
        pane.pollNow();
        QVERIFY(!pane.watching());
        QCOMPARE(pane.statusLabel()->text(), app_->msg(Msg::WatchEnded));
        QCOMPARE(pane.modeCount(), 21);

        writeFile(job, whole.left(half));
        pane.loadFile(job);
        pane.setWatching(true);
        std::filesystem::resize_file(job.toStdString(), 1000);
        pane.pollNow();
        QVERIFY(!pane.watching());
        QCOMPARE(pane.statusLabel()->text(), app_->msg(Msg::WatchTruncated));
        QCOMPARE(pane.canvas()->atoms().size(), std::size_t(9));
    }

    // Bad input is explained on the view; nothing crashes.
    void badInputSaysWhy() {
        MoleculePane pane(*app_, *dialogs_);
        const QString none = program_->path() + "/none.log";
        writeFile(none, " Entering Gaussian System\n Normal termination of Gaussian 16\n");
        pane.loadFile(none);
        QVERIFY(pane.canvas()->atoms().empty());
        QCOMPARE(pane.statusLabel()->text(), app_->msg(Msg::NoCartesian));
        pane.copyXyz();
        pane.exportMode();
        pane.showStep(3);
        pane.showMode(2);

        pane.loadFile(program_->path() + "/missing.log");
        QVERIFY(pane.statusLabel()->text().startsWith(
            app_->msg(Msg::StructureUnreadable).section("%1", 0, 0)));

        if (testing::dataDir().isEmpty())
            return;
        // Cut in the middle of the last coordinate table.
        const QByteArray whole = testing::readFile(testing::dataDir() + "/" + kTs);
        const QString cut = program_->path() + "/cut.log";
        writeFile(cut, whole.left(whole.lastIndexOf("Standard orientation:") + 500));
        pane.loadFile(cut);
        QCOMPARE(pane.statusLabel()->text(), app_->msg(Msg::CoordinatesCut));
        QCOMPARE(pane.canvas()->atoms().size(), std::size_t(9));
        QVERIFY(dialogs_->shown.isEmpty());
    }

    // The pane follows the working list and the Extract results.
    void followsTheListAndTheResults() {
        MainWindow window(*app_, *dialogs_, QStringLiteral(ZERLANT_SOURCE_DIR "/examples"));
        auto* dock = window.findChild<MoleculeDock*>();
        QVERIFY(dock->isHidden());
        const QString examples = QStringLiteral(ZERLANT_SOURCE_DIR "/examples");
        window.listModel()->add(examples, {"water.sum"});
        window.listView()->setCurrentIndex(window.listModel()->index(0, 1));
        QVERIFY(dock->isHidden());  // not a Gaussian output
        window.listModel()->add(examples, {"water_opt_freq.log", "formaldehyde_td.out"});
        window.listView()->setCurrentIndex(window.listModel()->index(1, 1));
        QVERIFY(!dock->isHidden());
        QVERIFY(dock->pane()->file().endsWith("water_opt_freq.log"));
        QCOMPARE(dock->pane()->canvas()->atoms().size(), std::size_t(3));

        window.extractPanel()->findChild<QCheckBox*>("CHKfreq")->setChecked(true);
        QVERIFY(testing::runAndWait(window.extractPanel()));
        ResultsView* results = window.resultsDock()->view(ResultsDock::Page::Extract);
        QTableView* table = results->tableView(0);
        table->setCurrentIndex(table->model()->index(table->model()->rowCount() - 1, 0));
        QVERIFY(dock->pane()->file().endsWith("formaldehyde_td.out"));
        QCOMPARE(dock->pane()->canvas()->atoms().size(), std::size_t(4));

        // The third row of water's frequencies is its third mode.
        results->showFileBlocks("water_opt_freq.log");
        QTableView* frequencies = results->tableView(1);
        frequencies->setCurrentIndex(frequencies->model()->index(2, 1));
        QVERIFY(dock->pane()->file().endsWith("water_opt_freq.log"));
        QCOMPARE(dock->pane()->modeList()->currentRow(), 2);
    }
};

QTEST_MAIN(StructureTest)
#include "structure_test.moc"
