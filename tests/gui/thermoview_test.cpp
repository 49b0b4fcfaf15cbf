// The thermochemistry view: real frequency jobs read once, the table
// recomputed at each new setting, reasons for the files without values, the
// export written as zerlant-cli thermo writes it, and the run from the Tools
// menu into the results dock.  With ZERLANT_SCREENS=FOLDER the test saves
// 1280x800 screenshots there (ZERLANT_SCREENS_LANG=Español for the Spanish
// captions).

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>
#include <cmath>
#include <functional>

#include "gui/mainwindow/extractpanel.hpp"
#include "gui/results/resultsview.hpp"
#include "gui/results/thermoview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using testing::columnOf;
using testing::numberAt;

namespace {

// The files of the view, and what their rows must say: none for a row with
// values, else the message of the reason.  The two divinylbenzene jobs share
// a formula; the CO2 job was run at 3 atm; the SCF failure never reached its
// frequencies; the single point has none to reach (skipped, not failed); the
// last file does not exist.
struct Case {
    const char* file;
    Msg reason;  // Msg{}: none
};
constexpr Case kCases[] = {
    {"cclib_g09_dvb_ir.out", Msg{}},
    {"cclib_g16_dvb_ir.out", Msg{}},
    {"chemsmart_g16_co2_pressure3.log", Msg{}},
    {"aqme_g09_MeOH_SCF_error.log", Msg::NoCompleteThermo},
    {"cclib_g09_dvb_sp.out", viewmsg::kNoFrequencyStep},
    {"no_such_job.log", Msg::CannotBeRead},
};

// The rows of a working list (the heading row first) over files of a folder.
FileRows rowsOf(const QString& folder, const std::vector<const char*>& files) {
    FileRows rows(1);
    for (const char* f : files)
        rows.push_back({true, f, QDir(folder).filePath(f).toStdString(), {}});
    return rows;
}

}  // namespace

class ThermoViewTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    void settingsRecomputeTheRowsOfFilesReadOnce() {
        ZERLANT_DATA_OR_SKIP(data);
        // The heading row and an unticked entry are not read.
        std::vector<const char*> names;
        for (const Case& c : kCases) names.push_back(c.file);
        names.push_back("goodvibes_g09_H2O.log");
        FileRows rows = rowsOf(data, names);
        rows.back().checked = false;
        auto files = readThermoFiles(rows, nullptr);
        QVERIFY(files);
        ThermoView view(*app_, *dialogs_);
        view.setFiles(std::move(*files));
        QTableView* table = view.table();
        QCOMPARE(table->model()->rowCount(), int(std::size(kCases)));
        QCOMPARE(table->model()->columnCount(), 10);  // the nine keys and the note
        const int noteColumn = ThermoView::kNoteColumn;
        const int gColumn = columnOf(table, app_->msg(Msg::ColumnG) + '\n');
        auto* source = qobject_cast<ResultTableModel*>(
            qobject_cast<QSortFilterProxyModel*>(table->model())->sourceModel());
        for (int r = 0; r < int(std::size(kCases)); ++r) {
            const Case& c = kCases[r];
            QCOMPARE(table->model()->index(r, 0).data().toString(), QString(c.file));
            QCOMPARE(source->isErrorRow(r),
                     c.reason != Msg{} && c.reason != viewmsg::kNoFrequencyStep);
            QCOMPARE(view.rows()[r].skipped, c.reason == viewmsg::kNoFrequencyStep);
            QCOMPARE(table->model()->index(r, noteColumn).data().toString(),
                     c.reason == Msg{} ? QString() : app_->msg(c.reason));
            QCOMPARE(bool(numberAt(table, r, gColumn)), c.reason == Msg{});
        }
        QVERIFY(!table->isColumnHidden(noteColumn));
        ThermoView clean(*app_, *dialogs_);  // no file with a note: no note column
        clean.setFiles({view.files()[0], view.files()[1]});
        QVERIFY(clean.table()->isColumnHidden(noteColumn));

        // Each setting reaches its columns and leaves the others: the title
        // of the column that must move and of one that must not.
        struct Wiring {
            const char* what;
            std::function<void(bool)> set;  // true: the changed value
            Msg moves, stays;
        };
        const Wiring wirings[] = {
            {"temperature", [&](bool on) { view.temperatureBox()->setValue(on ? 400 : 298.15); },
             Msg::ColumnG, Msg::ColumnE},
            {"pressure", [&](bool on) { view.pressureBox()->setValue(on ? 3 : 1); }, Msg::ColumnG,
             Msg::ColumnZpe},
            {"scale", [&](bool on) { view.scaleBox()->setValue(on ? 0.97 : 1.0); }, Msg::ColumnZpe,
             Msg::ColumnE},
            {"cutoff", [&](bool on) { view.cutoffBox()->setValue(on ? 50 : 100); }, Msg::ColumnQhTs,
             Msg::TS},
            {"concentration", [&](bool on) { view.concentrationCheck()->setChecked(on); },
             Msg::ColumnG, Msg::ColumnZpe},
        };
        for (const Wiring& w : wirings) {
            const int moves = columnOf(table, app_->msg(w.moves) + '\n');
            const int stays = columnOf(table, app_->msg(w.stays) + '\n');
            QVERIFY(moves > 0 && stays > 0);
            const double before = *numberAt(table, 0, moves), kept = *numberAt(table, 0, stays);
            w.set(true);
            QVERIFY2(std::abs(*numberAt(table, 0, moves) - before) > 1e-5, w.what);
            QVERIFY2(*numberAt(table, 0, stays) == kept, w.what);
            w.set(false);
            QVERIFY2(*numberAt(table, 0, moves) == before, w.what);
        }

        // The quasi-harmonic enthalpy and the relative energies add columns;
        // the lower divinylbenzene job is the zero of its formula.
        view.enthalpyCheck()->setChecked(true);
        QCOMPARE(table->model()->columnCount(), 11);
        view.relativeCheck()->setChecked(true);
        QCOMPARE(table->model()->columnCount(), 14);
        const int relG = columnOf(table, app_->msg(Msg::ColumnDeltaG) + '\n');
        QVERIFY(table->model()->headerData(relG, Qt::Horizontal).toString().endsWith("(kcal/mol)"));
        const double rel0 = *numberAt(table, 0, relG), rel1 = *numberAt(table, 1, relG);
        QCOMPARE(std::min(rel0, rel1), 0.0);
        QCOMPARE(*numberAt(table, 2, relG), 0.0);  // CO2 alone in its formula
        view.unitBox()->setCurrentIndex(1);        // kJ/mol
        QVERIFY(std::abs(*numberAt(table, 0, relG) + *numberAt(table, 1, relG) -
                         4.184 * (rel0 + rel1)) < 1e-3);
        // A chosen reference: the other job of the formula goes below zero.
        const int higher = rel0 > 0 ? 0 : 1;
        view.referenceBox()->setCurrentIndex(view.referenceBox()->findText(kCases[higher].file));
        QCOMPARE(*numberAt(table, higher, relG), 0.0);
        QVERIFY(*numberAt(table, 1 - higher, relG) < 0);

        // The export is the command line's CSV: keys, then the rows with
        // values, each with the conditions it was computed at.
        view.temperatureBox()->setValue(310);
        const QString csv = program_->path() + "/thermo.csv";
        QVERIFY(view.exportTo(csv));
        const QList<QByteArray> lines = testing::readFile(csv).split('\n');
        QVERIFY(lines.value(0).startsWith("file,formula,e,zpe,h,ts,qh_ts,g,qh_g,qh_h,rel_g,"));
        QCOMPARE(lines.size(), 3 + 2);  // three rows and the last line's end
        QVERIFY(lines.value(1).startsWith("cclib_g09_dvb_ir.out,C10H10,"));
        QVERIFY(lines.value(1).endsWith(",310,1,,1,100"));
        QVERIFY(view.exportTo(program_->path() + "/thermo.xlsx"));
        QVERIFY(testing::readFile(program_->path() + "/thermo.xlsx").startsWith("PK"));
        QVERIFY(!view.exportTo(program_->path() + "/no/such/folder/thermo.csv"));
        QCOMPARE(dialogs_->shown.size(), 1);
    }

    // Each file scaled by the published factor of its own level, in place of
    // the one factor of the box; a level the table lacks says so in the note.
    void scaleFromTheTablePerFile() {
        ZERLANT_DATA_OR_SKIP(data);
        auto files = readThermoFiles(
            rowsOf(data, {"cclibdata_g09_irc_point.log", "goodvibes_g09_H2O.log"}), nullptr);
        QVERIFY(files && files->size() == 2);
        ThermoView view(*app_, *dialogs_);
        view.setFiles(std::move(*files));
        QTableView* table = view.table();
        const int zpe = columnOf(table, app_->msg(Msg::ColumnZpe) + '\n');
        const double plain = *numberAt(table, 0, zpe);
        QVERIFY(numberAt(table, 1, zpe));
        QVERIFY(table->isColumnHidden(ThermoView::kNoteColumn));

        view.scaleFromTableCheck()->setChecked(true);
        QVERIFY(!view.scaleBox()->isEnabled());
        QVERIFY(*numberAt(table, 0, zpe) < plain);  // RHF/6-31G(d): 0.909
        QVERIFY(!numberAt(table, 1, zpe));
        QVERIFY(!table->isColumnHidden(ThermoView::kNoteColumn));
        QVERIFY(table->columnWidth(ThermoView::kNoteColumn) > 50);  // hidden until now
        QCOMPARE(table->model()->index(1, ThermoView::kNoteColumn).data().toString(),
                 "RB3LYP/STO-3G: " + app_->msg(Msg::NoPublishedScaleFactor));

        // The box's factor is unchanged and counts again once the table is off.
        view.scaleFromTableCheck()->setChecked(false);
        QVERIFY(view.scaleBox()->isEnabled());
        QCOMPARE(*numberAt(table, 0, zpe), plain);
        QVERIFY(numberAt(table, 1, zpe));

        // The next run takes the choice with the other settings.
        thermo::ThermoRequest kept = view.request();
        kept.scaleFromTable = true;
        ThermoView next(*app_, *dialogs_);
        next.setFiles(view.files());
        next.setRequest(kept);
        QVERIFY(next.scaleFromTableCheck()->isChecked() && next.rows()[1].noScaleFactor);
        QVERIFY(next.table()->columnWidth(ThermoView::kNoteColumn) > 50);
    }

    void toolsMenuRunsIntoTheResultsDock() {
        ZERLANT_DATA_OR_SKIP(data);
        openWindow(data);
        auto* dock = window_->findChild<QDockWidget*>("resultsDock");
        // Nothing ticked: a word on what to do, no run.
        window_->thermoAction()->trigger();
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::ThermoNothingTicked)});
        QVERIFY(dock->isHidden());

        window_->listModel()->add(
            data, {"cclib_g09_dvb_ir.out", "cclib_g16_dvb_ir.out", "aqme_g09_Imag_freq.log",
                   "aqme_g09_MeOH_SCF_error.log", "cclib_g09_dvb_sp.out"});
        // An Extract run first: its page keeps its tables beside the thermochemistry.
        QVERIFY(testing::runAndWait(window_->extractPanel()));
        ResultsView* extractPage = window_->resultsView();
        QSignalSpy shown(window_.get(), &MainWindow::thermoShown);
        QVERIFY(window_->thermoAction()->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_T));
        window_->thermoAction()->trigger();
        QVERIFY(shown.wait(60000));
        ResultsView* results = window_->resultsView();  // the thermochemistry page, in front
        QVERIFY(results != extractPage);
        QCOMPARE(extractPage->tabs()->count(), 1);
        QCOMPARE(extractPage->tableView(0)->model()->rowCount(), 5);
        // The single point is skipped, not failed.
        QCOMPARE(results->outcome().read, std::size_t(3));
        QCOMPARE(results->outcome().failed, std::size_t(1));
        QCOMPARE(results->outcome().skipped, std::size_t(1));
        QVERIFY(results->outcomeLabel()->text().contains(app_->msg(viewmsg::kSkipped)));
        ThermoView* view = results->thermoView();
        QCOMPARE(results->tableView(results->tabs()->currentIndex()), view->table());
        // The transition state's imaginary mode is left out and said so.
        const QString leftOut = app_->msg(Msg::ImaginaryLeftOut) + QStringLiteral(": 1");
        QCOMPARE(view->table()->model()->index(2, ThermoView::kNoteColumn).data().toString(),
                 leftOut);

        view->relativeCheck()->setChecked(true);
        view->enthalpyCheck()->setChecked(true);
        testing::shoot(window_.get(), "thermo-window");

        // Another language takes the table's notes at once.
        window_->switchLanguage(app_->currentLanguage() == "English" ? "Español" : "English");
        view = window_->resultsView()->thermoView();  // the page is laid out anew
        QCOMPARE(view->table()->model()->index(2, ThermoView::kNoteColumn).data().toString(),
                 app_->msg(Msg::ImaginaryLeftOut) + QStringLiteral(": 1"));
        // The next run keeps the settings of the last one.
        view->temperatureBox()->setValue(350);
        window_->thermoAction()->trigger();
        QVERIFY(shown.wait(60000));
        QCOMPARE(results->thermoView()->request().settings.temperature, 350.0);
        QCOMPARE(results->thermoView()->table()->model()->columnCount(), 14);
    }
};

QTEST_MAIN(ThermoViewTest)
#include "thermoview_test.moc"
