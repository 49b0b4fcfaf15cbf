// The splash window hands over once; the about box shows its texts and
// starts a system-information program or says that none is there.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "gui/app/aboutbox.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/splashwindow.hpp"
#include "guitestsupport.hpp"

using namespace zerlant::gui;
using zerlant::gui::testing::ProgramFolder;
using zerlant::gui::testing::RecordingDialogs;

class SplashAboutTest : public QObject {
    Q_OBJECT

  private slots:
    void handsOverOnTheFifthTick() {
        ProgramFolder program;
        AppContext app(program.folder());
        SplashWindow splash(app);
        splash.show();
        QSignalSpy finished(&splash, &SplashWindow::finished);
        QCOMPARE(splash.timer().interval(), 1000);
        QVERIFY(splash.timer().isActive());
        for (int i = 0; i < 4; ++i) splash.tick();
        QCOMPARE(finished.count(), 0);
        QVERIFY(splash.isVisible());
        splash.tick();
        QCOMPARE(finished.count(), 1);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.timer().isActive());
        // Further ticks or clicks never hand over again.
        splash.tick();
        QTest::mouseClick(&splash, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
    }

    void handsOverAtTheFirstClickButNotOnTheDescription() {
        ProgramFolder program;
        AppContext app(program.folder());
        SplashWindow splash(app);
        splash.show();
        QSignalSpy finished(&splash, &SplashWindow::finished);
        auto* description = splash.findChild<QLabel*>("lblProductDescription");
        QVERIFY(description != nullptr);
        QCOMPARE(description->text(), app.msg(Msg::SplashLine1) + "\n" + app.msg(Msg::SplashLine2));
        QTest::mouseClick(description, Qt::LeftButton);
        QCOMPARE(finished.count(), 0);

        auto* name = splash.findChild<QLabel*>("lblProductName");
        QCOMPARE(name->text(), app.msg(Msg::AppTitle));
        QTest::mouseClick(name, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!splash.timer().isActive());
        for (int i = 0; i < 6; ++i) splash.tick();
        QCOMPARE(finished.count(), 1);
    }

    void aboutBoxTextsAndSystemInformation() {
        ProgramFolder program;
        AppContext app(program.folder());
        RecordingDialogs dialogs;
        AboutBox about(app, dialogs);
        QCOMPARE(about.windowTitle(), app.msg(Msg::About) + " " + app.msg(Msg::AppTitle));
        QCOMPARE(about.findChild<QLabel*>("lblDisclaimer")->text(),
                 app.msg(Msg::AboutAuthors) + ":");
        QCOMPARE(about.findChild<QPushButton*>("cmdSysInfo")->text(),
                 app.msg(Msg::SystemInformation) + "...");
        QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), app.msg(Msg::Ok));

        // No system-information program on the PATH: message 21, no icon,
        // the application's title.
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toLocal8Bit());
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
        QCOMPARE(dialogs.shown[0].title, app.msg(Msg::AppTitle));
        QCOMPARE(dialogs.shown[0].text, app.msg(Msg::SystemInformationFailed));
        QVERIFY(dialogs.started.isEmpty());

        // The first one found is started.
        QFile fake(empty.filePath("kinfocenter"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("#!/bin/sh\n");
        fake.close();
        fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(dialogs.started, QStringList{empty.filePath("kinfocenter")});
        QCOMPARE(dialogs.shown.size(), 1);
        qputenv("PATH", path);

        about.openWebPage();
        QCOMPARE(dialogs.opened.size(), 1);
        QVERIFY(dialogs.opened[0].scheme().startsWith("http"));
    }
};

QTEST_MAIN(SplashAboutTest)
#include "splash_about_test.moc"
