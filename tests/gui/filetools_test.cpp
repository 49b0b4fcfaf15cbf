// The Rename, Substitute and Batch-file panels in the main window, offscreen,
// on a temporary folder of job files.

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/bcfpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/substitutepanel.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Saves a picture of the window when ZERLANT_SCREENSHOTS names a folder.
void shot(QWidget* w, const char* name) {
    const QString folder = qEnvironmentVariable("ZERLANT_SCREENSHOTS");
    if (!folder.isEmpty())
        w->grab().save(folder + "/" + name + ".png");
}

}  // namespace

class FileToolsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        folder_ = dir_->path();
        for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"})
            write(folder_ + "/" + n, QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\n") + n + "\n");
        app_ = std::make_unique<AppContext>(ZERLANT_SOURCE_DIR "/resources");
        dialogs_ = std::make_unique<testing::RecordingDialogs>();
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, folder_);
        window_->browser()->setPatternIndex(2);  // *.gjf
        window_->show();
    }

    void cleanup() {
        window_.reset();
        app_.reset();
        dir_.reset();
    }

    void ruleChoiceShowsFrameAndEnablesBoxes() {
        window_->toolbarClicked("Renombrar");
        RenamePanel* p = window_->renamePanel();
        QCOMPARE(p->FRAoption->currentIndex(), 0);
        QVERIFY(!p->CHKext->isEnabled());
        QVERIFY(!p->TXTinsertcont->isEnabled());
        p->OPTinsertar->button(1)->click();
        QVERIFY(p->CHKext->isEnabled());
        QVERIFY(!p->TXTinsertcont->isEnabled());
        p->OPTinsertar->button(2)->click();
        QVERIFY(!p->CHKext->isEnabled());
        QVERIFY(p->TXTinsertcont->isEnabled());
        QCOMPARE(p->TXTinsertcont->minimum(), 1);
        QCOMPARE(p->TXTinsertcont->maximum(), 1000);

        p->OPToption->button(1)->click();
        QCOMPARE(p->FRAoption->currentIndex(), 1);
        QVERIFY(p->TXTdesdecount->isEnabled() && !p->TXTdesde->isEnabled());
        p->OPTdesde->button(1)->click();
        QVERIFY(!p->TXTdesdecount->isEnabled() && p->TXTdesde->isEnabled());
        p->OPThasta->button(2)->click();
        QVERIFY(!p->TXThastacount->isEnabled() && !p->TXThasta->isEnabled());
        p->OPThasta->button(1)->click();
        QVERIFY(!p->TXThastacount->isEnabled() && p->TXThasta->isEnabled());

        // The box of the new extension is named by "New extension:", with the
        // hint about the dot below.
        p->OPToption->button(4)->click();
        auto* name = p->findChild<QLabel*>("Label7");
        QVERIFY(name && name->buddy() == p->TXText);
        QCOMPARE(name->text(), app_->msg(112, ":"));
        shot(window_.get(), "rename-extension");

        p->OPToption->button(6)->click();
        QCOMPARE(p->FRAoption->currentIndex(), 6);
        p->OPTnum->button(1)->click();
        QVERIFY(p->CHKnext->isEnabled() && !p->TXTnumcont->isEnabled());
    }

    void previewThenRename() {
        window_->toolbarClicked("Renombrar");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(3);  // ch4 unticked: previewed, not renamed
        write(folder_ + "/nh3_freq.gjf", "already here");

        RenamePanel* p = window_->renamePanel();
        p->OPToption->button(3)->click();
        p->TXTreemp->setText("_OPT");
        p->TXTreemp1->setText("_freq");
        p->BTpreview->click();
        QCOMPARE(list->newName(1), QString("h2o_freq.gjf"));
        QCOMPARE(list->newName(2), QString("nh3_freq.gjf"));
        QCOMPARE(list->newName(3), QString("ch4_freq.gjf"));
        QVERIFY(dialogs_->texts().isEmpty());
        shot(window_.get(), "rename-preview");

        p->BTejecutar->click();
        QCOMPARE(dialogs_->texts().size(), 1);  // nh3: the target exists
        QCOMPARE(dialogs_->texts()[0], app_->msg(153) + "\n" + app_->msg(151));
        QVERIFY(!list->isChecked(2));
        QCOMPARE(list->name(1), QString("h2o_freq.gjf"));
        QCOMPARE(list->path(1), folder_ + "/h2o_freq.gjf");
        QCOMPARE(list->newName(1), QString());
        QCOMPARE(list->name(2), QString("nh3_opt.gjf"));
        QCOMPARE(list->name(3), QString("ch4_opt.gjf"));
        QVERIFY(QFile::exists(folder_ + "/h2o_freq.gjf"));
        QCOMPARE(contents(folder_ + "/nh3_freq.gjf"), QByteArray("already here"));
        QVERIFY(QFile::exists(folder_ + "/nh3_opt.gjf"));
        QVERIFY(QFile::exists(folder_ + "/ch4_opt.gjf"));
        QVERIFY(window_->browser()->files().contains("h2o_freq.gjf"));
        shot(window_.get(), "rename-done");
    }

    void substituteRouteLine() {
        window_->toolbarClicked("Sustituir");
        write(folder_ + "/win.gjf", "%chk=w\r\n# opt b3lyp/6-31g(d)\r\n\r\nw\r\n");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "win.gjf", "nh3_opt.gjf"});
        list->toggle(3);
        SubstitutePanel* p = window_->substitutePanel();
        QGuiApplication::clipboard()->setText("# opt b3lyp/6-31g(d)\n");
        p->BTPasteOrigen->click();
        QCOMPARE(p->RTBorigen->toPlainText(), QString("# opt b3lyp/6-31g(d)\n"));
        p->RTBdestino->setPlainText("# opt freq m062x/def2tzvp\n");
        p->BTejecutar2->click();
        QVERIFY(dialogs_->texts().isEmpty());
        QCOMPARE(contents(folder_ + "/h2o_opt.gjf"),
                 QByteArray("%chk=x\n# opt freq m062x/def2tzvp\n\nh2o_opt.gjf\n"));
        QCOMPARE(contents(folder_ + "/win.gjf"),
                 QByteArray("%chk=w\r\n# opt freq m062x/def2tzvp\r\n\r\nw\r\n"));
        QCOMPARE(contents(folder_ + "/nh3_opt.gjf"),
                 QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\nnh3_opt.gjf\n"));
        shot(window_.get(), "substitute");

        // A file that went away is named; nothing else is lost.
        list->toggle(3);
        QFile::remove(folder_ + "/nh3_opt.gjf");
        p->RTBorigen->setPlainText("m062x");
        p->RTBdestino->setPlainText("wb97xd");
        p->BTejecutar2->click();
        QCOMPARE(dialogs_->texts().size(), 1);
        QVERIFY(dialogs_->texts()[0].contains("nh3_opt.gjf"));
        QVERIFY(contents(folder_ + "/win.gjf").contains("wb97xd"));
    }

    void batchFile() {
        window_->toolbarClicked("Crearbcf");
        FileListModel* list = window_->listModel();
        list->add(folder_, {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(2);
        BcfPanel* p = window_->bcfPanel();
        p->BTejecutar3->click();  // no name: refused, nothing written
        QCOMPARE(dialogs_->texts().size(), 1);
        QVERIFY(!QFile::exists(folder_ + "/.bcf"));

        p->TXTbcf->setText("jobs");
        p->bcfpath->setChecked(true);
        p->BTejecutar3->click();
        const QByteArray expected = "!\r\n!user created batch file list\r\n!start = 1\r\n!\r\n" +
                                    (folder_ + "/h2o_opt.gjf , " + folder_ + "/h2o_opt.out\r\n" +
                                     folder_ + "/ch4_opt.gjf , " + folder_ + "/ch4_opt.out\r\n")
                                        .toUtf8();
        QCOMPARE(contents(folder_ + "/jobs.bcf"), expected);
        QCOMPARE(p->RTBbcf->toPlainText(), QString::fromUtf8(expected).remove('\r'));
        shot(window_.get(), "bcf");
    }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<testing::RecordingDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(FileToolsTest)
#include "filetools_test.moc"
