// The Rename, Substitute and Batch-file panels in the main window, offscreen,
// on a temporary folder of job files.

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

#include "gui/mainwindow/bcfpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/substitutepanel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

using testing::readFile;
using testing::writeFile;

class FileToolsTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        folder_ = dir_->path();
        for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"})
            writeFile(folder_ + "/" + n, QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\n") + n + "\n");
        startSession();
        openWindow(folder_);
        window_->browser()->setPatternIndex(2);  // *.gjf
        window_->show();
    }

    void cleanup() {
        endSession();
        dir_.reset();
    }

    void ruleChoiceShowsFrameAndEnablesBoxes() {
        window_->toolbarClicked("Renombrar");
        RenamePanel* p = window_->renamePanel();
        QCOMPARE(p->ruleFrames->currentIndex(), 0);
        QVERIFY(!p->insertKeepExtension->isEnabled());
        QVERIFY(!p->insertPosition->isEnabled());
        p->insertWhere->button(1)->click();
        QVERIFY(p->insertKeepExtension->isEnabled());
        QVERIFY(!p->insertPosition->isEnabled());
        p->insertWhere->button(2)->click();
        QVERIFY(!p->insertKeepExtension->isEnabled());
        QVERIFY(p->insertPosition->isEnabled());
        QCOMPARE(p->insertPosition->minimum(), 1);
        QCOMPARE(p->insertPosition->maximum(), 1000);

        p->ruleChoice->button(1)->click();
        QCOMPARE(p->ruleFrames->currentIndex(), 1);
        QVERIFY(p->deleteFromPosition->isEnabled() && !p->deleteFromDelimiter->isEnabled());
        p->deleteFrom->button(1)->click();
        QVERIFY(!p->deleteFromPosition->isEnabled() && p->deleteFromDelimiter->isEnabled());
        p->deleteTo->button(2)->click();
        QVERIFY(!p->deleteToCount->isEnabled() && !p->deleteToDelimiter->isEnabled());
        p->deleteTo->button(1)->click();
        QVERIFY(!p->deleteToCount->isEnabled() && p->deleteToDelimiter->isEnabled());

        // The box of the new extension is named by "New extension:", with the
        // hint about the dot below.
        p->ruleChoice->button(4)->click();
        auto* name = p->findChild<QLabel*>("Label7");
        QVERIFY(name && name->buddy() == p->newExtension);
        QCOMPARE(name->text(), app_->msg(Msg::NewExtension, ":"));
        testing::shoot(window_.get(), "rename-extension");

        p->ruleChoice->button(6)->click();
        QCOMPARE(p->ruleFrames->currentIndex(), 6);
        p->numberWhere->button(1)->click();
        QVERIFY(p->numberKeepExtension->isEnabled() && !p->numberPosition->isEnabled());
    }

    void previewThenRename() {
        window_->toolbarClicked("Renombrar");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(3);  // ch4 unticked: previewed, not renamed
        writeFile(folder_ + "/nh3_freq.gjf", "already here");

        RenamePanel* p = window_->renamePanel();
        p->ruleChoice->button(3)->click();
        p->replaceText->setText("_OPT");
        p->replaceWith->setText("_freq");
        p->previewButton->click();
        QCOMPARE(list->newName(1), QString("h2o_freq.gjf"));
        QCOMPARE(list->newName(2), QString("nh3_freq.gjf"));
        QCOMPARE(list->newName(3), QString("ch4_freq.gjf"));
        QVERIFY(dialogs_->texts().isEmpty());
        testing::shoot(window_.get(), "rename-preview");

        p->runButton->click();
        // nh3: the target exists; then what was done.
        QCOMPARE(dialogs_->texts(),
                 QStringList({app_->msg(Msg::NewNameExists) + "\n" + app_->msg(Msg::RowsUnticked),
                              app_->msg(Msg::RenameDone).arg(1).arg(2)}));
        QVERIFY(!list->isChecked(2));
        QCOMPARE(list->name(1), QString("h2o_freq.gjf"));
        QCOMPARE(list->path(1), folder_ + "/h2o_freq.gjf");
        QCOMPARE(list->newName(1), QString());
        QCOMPARE(list->name(2), QString("nh3_opt.gjf"));
        QCOMPARE(list->name(3), QString("ch4_opt.gjf"));
        QVERIFY(QFile::exists(folder_ + "/h2o_freq.gjf"));
        QCOMPARE(readFile(folder_ + "/nh3_freq.gjf"), QByteArray("already here"));
        QVERIFY(QFile::exists(folder_ + "/nh3_opt.gjf"));
        QVERIFY(QFile::exists(folder_ + "/ch4_opt.gjf"));
        QVERIFY(window_->browser()->files().contains("h2o_freq.gjf"));
        testing::shoot(window_.get(), "rename-done");
    }

    void substituteRouteLine() {
        window_->toolbarClicked("Sustituir");
        writeFile(folder_ + "/win.gjf", "%chk=w\r\n# opt b3lyp/6-31g(d)\r\n\r\nw\r\n");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "win.gjf", "nh3_opt.gjf"});
        list->toggle(3);
        SubstitutePanel* p = window_->substitutePanel();
        QGuiApplication::clipboard()->setText("# opt b3lyp/6-31g(d)\n");
        p->pasteFromButton->click();
        QCOMPARE(p->blockFrom->toPlainText(), QString("# opt b3lyp/6-31g(d)\n"));
        p->blockTo->setPlainText("# opt freq m062x/def2tzvp\n");
        p->runButton->click();
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::SubstituteDone).arg(2).arg(2)});
        QCOMPARE(readFile(folder_ + "/h2o_opt.gjf"),
                 QByteArray("%chk=x\n# opt freq m062x/def2tzvp\n\nh2o_opt.gjf\n"));
        QCOMPARE(readFile(folder_ + "/win.gjf"),
                 QByteArray("%chk=w\r\n# opt freq m062x/def2tzvp\r\n\r\nw\r\n"));
        QCOMPARE(readFile(folder_ + "/nh3_opt.gjf"),
                 QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\nnh3_opt.gjf\n"));
        testing::shoot(window_.get(), "substitute");

        // A file that went away is named; nothing else is lost.
        list->toggle(3);
        QFile::remove(folder_ + "/nh3_opt.gjf");
        p->blockFrom->setPlainText("m062x");
        p->blockTo->setPlainText("wb97xd");
        dialogs_->shown.clear();
        p->runButton->click();
        QCOMPARE(dialogs_->texts().size(), 2);
        QVERIFY(dialogs_->texts()[0].contains("nh3_opt.gjf"));
        QCOMPARE(dialogs_->texts()[1], app_->msg(Msg::SubstituteDone).arg(2).arg(3));
        QVERIFY(readFile(folder_ + "/win.gjf").contains("wb97xd"));
    }

    void batchFile() {
        window_->toolbarClicked("Crearbcf");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(2);
        BcfPanel* p = window_->bcfPanel();
        p->runButton->click();  // no name: refused, nothing written
        QCOMPARE(dialogs_->texts().size(), 1);
        QVERIFY(!QFile::exists(folder_ + "/.bcf"));

        p->batchName->setText("jobs");
        p->fullPaths->setChecked(true);
        p->runButton->click();
        const QByteArray expected = "!\r\n!user created batch file list\r\n!start = 1\r\n!\r\n" +
                                    (folder_ + "/h2o_opt.gjf , " + folder_ + "/h2o_opt.out\r\n" +
                                     folder_ + "/ch4_opt.gjf , " + folder_ + "/ch4_opt.out\r\n")
                                        .toUtf8();
        QCOMPARE(readFile(folder_ + "/jobs.bcf"), expected);
        QCOMPARE(p->batchText->toPlainText(), QString::fromUtf8(expected).remove('\r'));
        const QString done = app_->msg(Msg::BatchDone).arg(folder_ + "/jobs.bcf").arg(2);
        QCOMPARE(dialogs_->texts().value(1), done);
        QCOMPARE(window_->statusBar()->currentMessage(), done);
        testing::shoot(window_.get(), "bcf");
    }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;
};

QTEST_MAIN(FileToolsTest)
#include "filetools_test.moc"
