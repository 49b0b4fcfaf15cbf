// The splash window hands over once; the about box shows its texts and
// starts a system-information program or says that none is there.

#include <QLabel>
#include <QtTest>

#include "gui/app/aboutbox.hpp"
#include "gui/app/splashwindow.hpp"
#include "guitestsupport.hpp"

using namespace zerlant::gui;

class SplashAboutTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    void handsOverOnTheFifthTick() {
        SplashWindow splash(*app_);
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
        SplashWindow splash(*app_);
        splash.show();
        QSignalSpy finished(&splash, &SplashWindow::finished);
        auto* description = splash.findChild<QLabel*>("lblProductDescription");
        QVERIFY(description != nullptr);
        QCOMPARE(description->text(),
                 app_->msg(Msg::SplashLine1) + "\n" + app_->msg(Msg::SplashLine2));
        QTest::mouseClick(description, Qt::LeftButton);
        QCOMPARE(finished.count(), 0);

        auto* name = splash.findChild<QLabel*>("lblProductName");
        QCOMPARE(name->text(), app_->msg(Msg::AppTitle));
        QTest::mouseClick(name, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!splash.timer().isActive());
        for (int i = 0; i < 6; ++i) splash.tick();
        QCOMPARE(finished.count(), 1);
    }

    void aboutBoxTextsAndSystemInformation() {
        AboutBox about(*app_, *dialogs_);
        QCOMPARE(about.windowTitle(), app_->msg(Msg::About) + " " + app_->msg(Msg::AppTitle));
        QCOMPARE(about.findChild<QLabel*>("lblDisclaimer")->text(),
                 app_->msg(Msg::AboutAuthors) + ":");
        QCOMPARE(about.findChild<QPushButton*>("cmdSysInfo")->text(),
                 app_->msg(Msg::SystemInformation) + "...");
        QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), app_->msg(Msg::Ok));

        // No system-information program on the PATH: message 21, no icon,
        // the application's title.
        const QByteArray path = qgetenv("PATH");
        QTemporaryDir empty;
        qputenv("PATH", empty.path().toLocal8Bit());
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::None);
        QCOMPARE(dialogs_->shown[0].title, app_->msg(Msg::AppTitle));
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::SystemInformationFailed));
        QVERIFY(dialogs_->started.isEmpty());

        // The first one found is started.
        QVERIFY(testing::writeFile(empty.filePath("kinfocenter"), "#!/bin/sh\n"));
        QFile(empty.filePath("kinfocenter"))
            .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        about.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(dialogs_->started, QStringList{empty.filePath("kinfocenter")});
        QCOMPARE(dialogs_->shown.size(), 1);
        qputenv("PATH", path);

        about.openWebPage();
        QCOMPARE(dialogs_->opened.size(), 1);
        QVERIFY(dialogs_->opened[0].scheme().startsWith("http"));
    }
};

QTEST_MAIN(SplashAboutTest)
#include "splash_about_test.moc"
