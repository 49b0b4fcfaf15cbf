// A run's closing message is the window the user faces: the progress box of
// the run is gone before it appears and never comes back over it, so Return
// answers the message.  Uses the real message boxes, not recording ones.

#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QtTest>

#include "gui/mainwindow/scanpanel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::ProgramFolder;

class DialogOrderTest : public QObject {
    Q_OBJECT

  private slots:
    // Scan over a scan job and an ordinary output: message 133 closes the
    // run.  It is checked well after the progress box's show delay, since
    // that delay running out under the message was the fault.
    void scanMessageIsActiveAndTakesReturn() {
        const QString data = testing::dataDir();
        if (data.isEmpty())
            QSKIP("real data folder ../shared/data is absent");
        ProgramFolder program;
        AppContext app(program.folder());
        Dialogs dialogs;
        MainWindow window(app, dialogs, data);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showPanel(Panel::Scan);
        window.listModel()->add(
            data, {"cclib_g16_dvb_scan_unrelaxed.log", "aqme_g09_CO2_linear_4freqs.log"});

        QPointer<QMessageBox> seen;
        QString seenText;
        QString activeLater;
        bool progressVisible = false;
        bool closedByReturn = false;
        QElapsedTimer sinceSeen;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (seen == nullptr) {
                if (box == nullptr) {
                    // Something else on top: note it once the message exists.
                    for (QWidget* w : QApplication::topLevelWidgets())
                        if (auto* m = qobject_cast<QMessageBox*>(w); m && m->isVisible()) {
                            seen = m;
                            seenText = m->text();
                            sinceSeen.start();
                        }
                    return;
                }
                seen = box;
                seenText = box->text();
                sinceSeen.start();
                return;
            }
            if (sinceSeen.elapsed() < 900)
                return;
            poll.stop();
            QWidget* active = QApplication::activeWindow();
            activeLater = active != nullptr ? active->metaObject()->className() : "none";
            for (auto* p : window.findChildren<QProgressDialog*>())
                progressVisible = progressVisible || p->isVisible();
            if (active != nullptr)
                QTest::keyClick(active, Qt::Key_Return);
            QTest::qWait(50);
            closedByReturn = seen.isNull() || !seen->isVisible();
            // Whatever happened, end every box so that the test ends.
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
                    d->reject();
            }
        });
        poll.start();

        QSignalSpy finished(window.scanPanel(), &ReadingPanel::runFinished);
        window.scanPanel()->runButton()->click();
        QVERIFY(finished.wait(60000));
        QCOMPARE(seenText, app.msg(Msg::NotScanJobsUnticked));
        QVERIFY(!progressVisible);
        QCOMPARE(activeLater, QString("QMessageBox"));
        QVERIFY(closedByReturn);
        QVERIFY(window.scanPanel()->exportEnabled());
    }
};

QTEST_MAIN(DialogOrderTest)
#include "dialogorder_test.moc"
