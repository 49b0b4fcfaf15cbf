// The windows around the main one and what every window shares: no caption
// written into the sources, the splash window handing over once, the about
// box starting a system-information program, and a run's closing message in
// front of its progress box.

#include <QDirIterator>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "gui/app/aboutbox.hpp"
#include "gui/app/splashwindow.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

class SmallWindowsTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    // Every caption a person reads comes from the language file: no literal
    // text handed to a caption setter in the window sources.  The product's
    // name, the tool name "AIM" and file patterns are no captions.
    void noLiteralCaptionInTheSources() {
        static const QRegularExpression call(QStringLiteral(
            "\\b(setText|setWindowTitle|setToolTip|setStatusTip|setWhatsThis|setTitle|"
            "setPlaceholderText|setLabelText|setCancelButtonText|setTabText|addTab|addAction|"
            "addMenu|setHeaderLabels|setHorizontalHeaderLabels|showMessage|message|confirm|"
            "critical|warning|information|question|saveFileName|saveFileNameAsking|"
            "existingFolder|QLabel|QPushButton|QCheckBox|QRadioButton|QGroupBox|QAction|"
            "QMessageBox|QProgressDialog|ToolPanel|ReadingPanel|makeButton|makeCheckBox|"
            "button|label)\\s*\\("));
        // A string, a character or a comment; comments are dropped.
        static const QRegularExpression token(
            QStringLiteral("\"(?:[^\"\\\\]|\\\\.)*\"|'(?:[^'\\\\]|\\\\.)*'|//[^\\n]*|/\\*.*?\\*/"),
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\]|\\\\.)*)\""));
        // Words a person reads: two words, or one capitalised word ("Cancel");
        // object names ("BTejecutar", "Label1") and icon names are other shapes.
        static const QRegularExpression text(
            QStringLiteral("\\p{L}+[ ]+\\p{L}+|^\\p{Lu}\\p{Ll}+[.!?:]*$"));
        static const QRegularExpression pattern(QStringLiteral("^[*.\\w ;,]*\\*[*.\\w ;,]*$"));
        const QStringList fixed = {"Zerlant", "AIM", "PDF (*.pdf)", "idioma.pdf"};
        QStringList found;
        int files = 0;
        QDirIterator it(QStringLiteral(ZERLANT_SOURCE_DIR "/src/gui"), {"*.cpp", "*.hpp"},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString code = QString::fromUtf8(testing::readFile(path));
            for (auto t = token.globalMatch(code); t.hasNext();) {
                const auto m = t.next();
                if (m.captured().startsWith('/'))
                    code.replace(m.capturedStart(), m.capturedLength(),
                                 QString(m.capturedLength(), ' '));
            }
            ++files;
            for (auto m = call.globalMatch(code); m.hasNext();) {
                const auto hit = m.next();
                // The call's arguments: up to its closing parenthesis.
                qsizetype end = hit.capturedEnd(), depth = 1;
                for (; end < code.size() && depth > 0; ++end) {
                    if (code[end] == '"')
                        end = literal.match(code, end).capturedEnd() - 1;
                    else
                        depth += code[end] == '(' ? 1 : code[end] == ')' ? -1 : 0;
                }
                const QString args = code.mid(hit.capturedEnd(), end - hit.capturedEnd());
                for (auto l = literal.globalMatch(args); l.hasNext();) {
                    const QString s = l.next().captured(1);
                    if (text.match(s).hasMatch() && !fixed.contains(s) &&
                        !pattern.match(s).hasMatch())
                        found << QDir(ZERLANT_SOURCE_DIR).relativeFilePath(path) + ": \"" + s +
                                     "\" in " + hit.captured(1);
                }
            }
        }
        QVERIFY(files > 20);
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    // The fifth tick or a click hands over, once; a click on the description
    // does not.
    void splashHandsOverOnce() {
        for (const char* by : {"tick", "lblProductName"}) {
            SplashWindow splash(*app_);
            splash.show();
            QSignalSpy finished(&splash, &SplashWindow::finished);
            QTest::mouseClick(splash.findChild<QLabel*>("lblProductDescription"), Qt::LeftButton);
            for (int i = 0; i < 4; ++i) splash.tick();
            QCOMPARE(finished.count(), 0);
            if (QByteArray(by) == "tick")
                splash.tick();
            else
                QTest::mouseClick(splash.findChild<QLabel*>(by), Qt::LeftButton);
            QCOMPARE(finished.count(), 1);
            QVERIFY(!splash.isVisible() && !splash.timer().isActive());
            for (int i = 0; i < 6; ++i) splash.tick();
            QTest::mouseClick(&splash, Qt::LeftButton);
            QCOMPARE(finished.count(), 1);
        }
    }

    // No system-information program on the PATH: message 21 without an icon;
    // else the first one found is started.
    void aboutBoxStartsSystemInformation() {
        AboutBox about(*app_, *dialogs_);
        auto* sysInfo = about.findChild<QPushButton*>("cmdSysInfo");
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toLocal8Bit());
        sysInfo->click();
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::None);
        QCOMPARE(dialogs_->shown[0].title, app_->msg(Msg::AppTitle));
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::SystemInformationFailed));
        QVERIFY(dialogs_->started.isEmpty());
        QVERIFY(testing::writeFile(empty.filePath("kinfocenter"), "#!/bin/sh\n"));
        QFile(empty.filePath("kinfocenter"))
            .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        sysInfo->click();
        qputenv("PATH", path);
        QCOMPARE(dialogs_->started, QStringList{empty.filePath("kinfocenter")});
        QCOMPARE(dialogs_->shown.size(), 1);
    }

    // A Scan run's closing message (133) is the window the user faces, with
    // the real message boxes: the progress box is gone and does not come
    // back once its show delay has run out, so Return answers the message.
    void runMessageIsInFrontAndTakesReturn() {
        ZERLANT_DATA_OR_SKIP(data);
        Dialogs dialogs;
        MainWindow window(*app_, dialogs, data);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showPanel(Panel::Scan);
        window.listModel()->add(
            data, {"cclib_g16_dvb_scan_unrelaxed.log", "aqme_g09_CO2_linear_4freqs.log"});
        QString seenText, activeLater;
        bool progressVisible = false, closedByReturn = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            const QPointer<QMessageBox> box = testing::shownWindow<QMessageBox>();
            if (box.isNull())
                return;
            poll.stop();
            seenText = box->text();
            QTest::qWait(900);  // past the progress box's show delay
            for (auto* p : window.findChildren<QProgressDialog*>())
                progressVisible = progressVisible || p->isVisible();
            if (QWidget* active = QApplication::activeWindow()) {
                activeLater = active->metaObject()->className();
                QTest::keyClick(active, Qt::Key_Return);
            }
            QTest::qWait(50);
            closedByReturn = box.isNull() || !box->isVisible();
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
                    d->reject();
        });
        poll.start(20);
        QVERIFY(testing::runAndWait(window.scanPanel()));
        QCOMPARE(seenText, app_->msg(Msg::NotScanJobsUnticked));
        QVERIFY(!progressVisible);
        QCOMPARE(activeLater, QString("QMessageBox"));
        QVERIFY(closedByReturn);
        QVERIFY(window.scanPanel()->exportEnabled());
    }
};

QTEST_MAIN(SmallWindowsTest)
#include "smallwindows_test.moc"
