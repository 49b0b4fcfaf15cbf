// The window as a desktop user drives it: the menu bar and its shortcuts,
// keys in the working list, Escape and Close on the language editor, the
// path bar and multi-pattern filters, settings kept between two window
// objects, and Substitute's count with Undo of Substitute and Rename.

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/manualwindow.hpp"
#include "gui/language/languageeditor.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/substitutepanel.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "gui/results/resultsdock.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::ProgramFolder;
using zerlant::gui::testing::readFile;
using zerlant::gui::testing::RecordingDialogs;

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList listNames(const FileListModel& model) {
    QStringList names;
    for (std::size_t e = 1; e <= model.entryCount(); ++e) names << model.name(e);
    return names;
}

// Every file of a folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> out;
    for (const QString& n : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out.insert(n, readFile(folder + "/" + n));
    return out;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        program_ = std::make_unique<ProgramFolder>();
        files_ = std::make_unique<QTemporaryDir>();
        cache_ = std::make_unique<QTemporaryDir>();
        config_ = std::make_unique<QTemporaryDir>();
        for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"})
            write(files_->filePath(n), QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\n") + n + "\n");
        write(files_->filePath("other.com"), "# hf/sto-3g\n\nno block\n");
        write(files_->filePath("a.out"), "x\n");
        write(files_->filePath("b.log"), "x\n");
        write(files_->filePath("w.sum"), "x\n");
        app_ = std::make_unique<AppContext>(program_->folder());
        app_->setJournalFolder(cache_->path());
        app_->setSettingsFile(config_->filePath("zerlant/zerlant.conf"));
        dialogs_ = std::make_unique<RecordingDialogs>();
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, files_->path());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        dialogs_.reset();
        app_.reset();
        files_.reset();
        cache_.reset();
        config_.reset();
        program_.reset();
    }

    void menuBarAndShortcuts() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QMenuBar* bar = window_->menuBar();
        QStringList titles;
        for (QAction* a : bar->actions()) titles << a->text();
        QCOMPARE(titles, QStringList({app_->msg(Msg::MenuFile), app_->msg(Msg::MenuTools),
                                      app_->msg(Msg::ViewMenu), app_->msg(Msg::MenuLanguage),
                                      app_->msg(Msg::MenuHelp)}));
        // The six tools, a separator, the thermochemistry of the ticked files,
        // the next job and the sorting of jobs by health.
        QCOMPARE(window_->toolsMenu()->actions().size(), 10);

        // Ctrl+1 ... Ctrl+6 choose the six tools in toolbar order.
        const Panel order[] = {Panel::Extract,    Panel::Scan,  Panel::Rename,
                               Panel::Substitute, Panel::Batch, Panel::Aim};
        for (int i = 5; i >= 0; --i) {
            QTest::keyClick(window_.get(), Qt::Key(Qt::Key_1 + i), Qt::ControlModifier);
            QCOMPARE(window_->currentPanel(), order[i]);
        }
        // Ctrl+O asks for a folder, starting from the one shown.
        dialogs_->folderAnswer = files_->path();
        QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs_->folderStarts, QStringList{window_->currentFolder()});
        // The exports are there only with results to export.
        emit window_->fileMenu()->aboutToShow();
        QVERIFY(!window_->findChild<QAction*>("actExportText")->isEnabled());
        // F1 opens the manual in the window's language.
        QCOMPARE(window_->findChild<QAction*>("actManual")->shortcut(),
                 QKeySequence(QKeySequence::HelpContents));
        window_->findChild<QAction*>("actManual")->trigger();
        auto* manual = window_->findChild<ManualWindow*>();
        QVERIFY(manual && manual->isVisible());
        QVERIFY(manual->browser()->toPlainText().contains("Zerlant"));
        manual->close();
        // View brings back the closed results and tool panel.
        auto* results = window_->findChild<QAction*>("actViewResults");
        QVERIFY(results);
        QCOMPARE(results->text(), app_->msg(Msg::Results));
        window_->resultsDock()->showPage(ResultsDock::Page::Extract);
        window_->resultsDock()->close();
        results->trigger();
        QVERIFY(window_->resultsDock()->isVisible());
        window_->findChild<QAction*>("actViewToolPanel")->trigger();
        QVERIFY(!window_->findChild<QWidget*>("panelArea")->isVisible());
        window_->findChild<QAction*>("actViewToolPanel")->trigger();
        QVERIFY(window_->findChild<QWidget*>("panelArea")->isVisible());
        // Ctrl+Q asks, as closing the window does.
        dialogs_->confirmAnswer = false;
        QTest::keyClick(window_.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text, app_->msg(Msg::CloseQuestion));
        QVERIFY(window_->isVisible());

        // Buttons carry distinct underlined letters within what is shown.
        QSet<QChar> letters;
        int marked = 0;
        for (QWidget* root : {static_cast<QWidget*>(window_->browser()),
                              static_cast<QWidget*>(window_->extractPanel())}) {
            for (QPushButton* b : root->findChildren<QPushButton*>()) {
                const QString t = b->text();
                const qsizetype at = t.indexOf('&');
                QVERIFY2(at >= 0, qPrintable(t));
                QVERIFY2(!letters.contains(t.at(at + 1).toLower()), qPrintable(t));
                letters.insert(t.at(at + 1).toLower());
                ++marked;
            }
        }
        QVERIFY(marked >= 8);
    }

    void listKeysAndEscape() {
        window_->showPanel(Panel::Substitute);
        FileListModel* model = window_->listModel();
        model->add(files_->path(), {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        WorkingListView* view = window_->listView();
        view->setFocus();
        view->setCurrentIndex(model->index(0, 1));
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(!model->isChecked(1));
        // Delete removes the selected rows, checked or not.
        view->selectionModel()->select(
            model->index(0, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->selectionModel()->select(model->index(2, 1),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(listNames(*model), QStringList{"nh3_opt.gjf"});

        // The language editor: a Close button, and Escape closes it.
        window_->openLanguageEditor();
        LanguageEditor* editor = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* e = qobject_cast<LanguageEditor*>(w); e && e->isVisible())
                editor = e;
        QVERIFY(editor != nullptr);
        QVERIFY(editor->closeButton() != nullptr);
        QCOMPARE(withoutMnemonic(editor->closeButton()->text()),
                 withoutMnemonic(app_->msg(Msg::Close)));
        QPointer<LanguageEditor> watched(editor);
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(watched.isNull() || !watched->isVisible());
        window_->openLanguageEditor();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* e = qobject_cast<LanguageEditor*>(w); e && e->isVisible())
                watched = e;
        QVERIFY(!watched.isNull());
        watched->closeButton()->click();
        QTRY_VERIFY(watched.isNull() || !watched->isVisible());
    }

    void pathBarAndFilters() {
        FileBrowser* browser = window_->browser();
        // Extract and Scan: outputs of both kinds at once.
        QCOMPARE(browser->currentPattern(), QString("*.out *.log"));
        QCOMPARE(browser->files(), QStringList({"a.out", "b.log"}));
        window_->showPanel(Panel::Aim);
        QCOMPARE(browser->files(), QStringList{"w.sum"});
        window_->showPanel(Panel::Substitute);
        QCOMPARE(browser->files(),
                 QStringList({"ch4_opt.gjf", "h2o_opt.gjf", "nh3_opt.gjf", "other.com"}));
        // A pattern typed by the user stays with the tool.
        browser->setPattern("h2o* ; *.com");
        QCOMPARE(browser->files(), QStringList({"h2o_opt.gjf", "other.com"}));
        window_->showPanel(Panel::Extract);
        window_->showPanel(Panel::Substitute);
        QCOMPARE(browser->currentPattern(), QString("h2o* ; *.com"));

        // A folder typed into the path bar, with completion over the disk;
        // one that does not exist is refused with a message.
        QDir(files_->path()).mkdir("sub");
        QComboBox* bar = browser->pathBar();
        QVERIFY(bar->completer() != nullptr);
        bar->setEditText(files_->filePath("sub"));
        QTest::keyClick(bar->lineEdit(), Qt::Key_Return);
        QCOMPARE(window_->currentFolder(), files_->filePath("sub"));
        bar->setEditText(files_->filePath("nowhere"));
        QTest::keyClick(bar->lineEdit(), Qt::Key_Return);
        QCOMPARE(window_->currentFolder(), files_->filePath("sub"));
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::FolderUnreadable)});
        // The recent folders are in its list, the current one first; Home.
        QCOMPARE(browser->recentFolders().value(0), files_->filePath("sub"));
        QVERIFY(browser->recentFolders().contains(QDir(files_->path()).canonicalPath()) ||
                browser->recentFolders().contains(files_->path()));
        browser->homeButton()->click();
        QCOMPARE(window_->currentFolder(), QDir::cleanPath(QDir::homePath()));
    }

    // Files a job writes into the shown folder appear by themselves; what
    // the user had selected stays selected.
    void folderListFollowsTheDisk() {
        FileBrowser* browser = window_->browser();
        browser->selectFiles({"a.out"});
        write(files_->filePath("c_new.out"), "x\n");
        QTRY_VERIFY(browser->files().contains("c_new.out"));
        QCOMPARE(browser->selectedFiles(), QStringList{"a.out"});
        QFile::remove(files_->filePath("a.out"));
        QTRY_VERIFY(!browser->files().contains("a.out"));
    }

    void settingsComeBackInTheNextWindow() {
        window_->showPanel(Panel::Substitute);
        window_->browser()->setPattern("*.gjf");
        window_->showPanel(Panel::Extract);
        window_->browser()->setPattern("*.log");
        ExtractPanel* extract = window_->extractPanel();
        extract->box(ExtractBox::Formula)->setChecked(false);
        extract->box(ExtractBox::Energy)->setChecked(true);
        QDir(files_->path()).mkdir("sub");
        QVERIFY(window_->browser()->setCurrentFolder(files_->filePath("sub")));
        window_->resize(1000, 700);
        window_->showPanel(Panel::Aim);
        QVERIFY(window_->close());  // closing writes them
        window_.reset();
        QVERIFY(QFile::exists(config_->filePath("zerlant/zerlant.conf")));

        MainWindow second(*app_, *dialogs_);
        QCOMPARE(second.currentPanel(), Panel::Aim);
        QCOMPARE(second.currentFolder(), files_->filePath("sub"));
        QCOMPARE(second.filterFor(Panel::Substitute), QString("*.gjf"));
        QCOMPARE(second.filterFor(Panel::Extract), QString("*.log"));
        QCOMPARE(second.filterFor(Panel::Scan), MainWindow::defaultFilter(Panel::Scan));
        QVERIFY(!second.extractPanel()->box(ExtractBox::Formula)->isChecked());
        QVERIFY(second.extractPanel()->box(ExtractBox::Energy)->isChecked());
        // As large as it was, where the screen has room for it.
        const QSize room = second.screen()->availableGeometry().size();
        QCOMPARE(second.size(),
                 QSize(1000, 700).boundedTo(room).expandedTo(second.minimumSizeHint()));
        QCOMPARE(second.browser()->recentFolders().value(0), files_->filePath("sub"));
        // The language file is not where any of it went.
        QVERIFY(!program_->languageBytes().contains("zerlant.conf"));
        QVERIFY(!readFile(config_->filePath("zerlant/zerlant.conf")).isEmpty());
    }

    void substituteCountsAsksAndUndoes() {
        window_->showPanel(Panel::Substitute);
        FileListModel* list = window_->listModel();
        list->add(files_->path(), {"h2o_opt.gjf", "other.com", "nh3_opt.gjf"});
        const auto before = snapshot(files_->path());
        SubstitutePanel* p = window_->substitutePanel();
        QVERIFY(!p->undoButton->isEnabled());
        p->blockFrom->setPlainText("b3lyp");
        p->blockTo->setPlainText("m062x");

        // "No": nothing written.
        dialogs_->confirmAnswer = false;
        p->runButton->click();
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text, app_->msg(Msg::SubstituteQuestion).arg(2).arg(3));
        QCOMPARE(snapshot(files_->path()), before);

        dialogs_->confirmAnswer = true;
        p->runButton->click();
        QVERIFY(readFile(files_->filePath("h2o_opt.gjf")).contains("m062x"));
        // What was done, in a box and in the status bar.
        const QString done = app_->msg(Msg::SubstituteDone).arg(2).arg(3);
        QCOMPARE(dialogs_->texts(), QStringList{done});
        QCOMPARE(window_->statusBar()->currentMessage(), done);
        QVERIFY(p->undoButton->isEnabled());
        // The record is in the cache folder, never beside the files.
        QCOMPARE(QDir(files_->path()).entryList(QDir::Files | QDir::Hidden).size(), before.size());

        // A file edited since: Undo refuses and changes nothing.
        const QByteArray edited = readFile(files_->filePath("nh3_opt.gjf")) + "edited\n";
        write(files_->filePath("nh3_opt.gjf"), edited);
        const auto afterEdit = snapshot(files_->path());
        p->undoButton->click();
        QCOMPARE(dialogs_->shown.size(), 2);
        QVERIFY(dialogs_->shown[1].text.startsWith(app_->msg(Msg::UndoRefused)));
        QVERIFY(dialogs_->shown[1].text.contains("nh3_opt.gjf"));
        QCOMPARE(snapshot(files_->path()), afterEdit);

        // Put back as the run left it: Undo restores every byte.
        QByteArray ran = edited;
        ran.chop(7);
        write(files_->filePath("nh3_opt.gjf"), ran);
        p->undoButton->click();
        QCOMPARE(dialogs_->shown.size(), 2);
        QCOMPARE(snapshot(files_->path()), before);
        QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::RunUndone));
        QVERIFY(!p->undoButton->isEnabled());

        // No ticked file holds the block: said so, nothing asked.
        p->blockFrom->setPlainText("not in any file");
        p->runButton->click();
        QCOMPARE(dialogs_->questions.size(), 2);
        QCOMPARE(dialogs_->shown.last().text, app_->msg(Msg::BlockNotFound));
        // The status bar tells the last action, not the Undo before it.
        QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::BlockNotFound));
    }

    void renameUndoRestoresNamesAndBytes() {
        window_->showPanel(Panel::Rename);
        FileListModel* list = window_->listModel();
        list->add(files_->path(), {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        const auto before = snapshot(files_->path());
        RenamePanel* p = window_->renamePanel();
        QVERIFY(!p->undoButton->isEnabled());
        p->ruleChoice->button(3)->click();  // replace
        p->replaceText->setText("_opt");
        p->replaceWith->setText("_freq");
        p->runButton->click();
        QVERIFY(QFile::exists(files_->filePath("h2o_freq.gjf")));
        QVERIFY(!QFile::exists(files_->filePath("h2o_opt.gjf")));
        QVERIFY(p->undoButton->isEnabled());
        const QString done = app_->msg(Msg::RenameDone).arg(3).arg(3);
        QCOMPARE(dialogs_->texts(), QStringList{done});
        QCOMPARE(window_->statusBar()->currentMessage(), done);

        // Undo puts the names back on disk and in the list, so that the
        // next run finds its files.
        p->undoButton->click();
        QCOMPARE(snapshot(files_->path()), before);
        QCOMPARE(dialogs_->texts(), QStringList{done});
        QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::RunUndone));
        for (std::size_t e = 1; e <= 3; ++e) {
            QVERIFY(list->name(e).endsWith("_opt.gjf"));
            QCOMPARE(list->path(e), files_->filePath(list->name(e)));
            QVERIFY(list->newName(e).isEmpty());
        }
        p->runButton->click();
        QCOMPARE(dialogs_->texts(), QStringList({done, done}));
        QVERIFY(QFile::exists(files_->filePath("h2o_freq.gjf")));
        p->undoButton->click();
        QCOMPARE(snapshot(files_->path()), before);
        dialogs_->shown.clear();
        // Once undone there is nothing left to undo.
        QVERIFY(!p->undoButton->isEnabled());
        p->undo();
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::NothingToUndo)});
    }

    // With ZERLANT_SCREENSHOTS set: the main window at 1280x800 on the real
    // data, with its menu bar and path bar, in each language of the file.
    void screenshots() {
        const QString folder = qEnvironmentVariable("ZERLANT_SCREENSHOTS");
        const QString data = testing::dataDir();
        if (folder.isEmpty() || data.isEmpty())
            QSKIP("set ZERLANT_SCREENSHOTS (and have ../shared/data) to take them");
        window_->resize(1280, 800);
        QVERIFY(window_->browser()->setCurrentFolder(data));
        window_->listModel()->add(
            data, {"aqme_g09_CO2_linear_4freqs.log", "cclib_g16_dvb_scan_unrelaxed.log",
                   "cclib_g09_dvb_gopt.out"});
        for (const std::string& language : app_->languages().languageNames) {
            window_->switchLanguage(QString::fromStdString(language));
            QTest::qWait(300);
            window_->grab().save(folder + "/main-" + QString::fromStdString(language) + ".png");
            window_->fileMenu()->popup(window_->menuBar()->mapToGlobal(
                window_->menuBar()
                    ->actionGeometry(window_->fileMenu()->menuAction())
                    .bottomLeft()));
            QTest::qWait(200);
            window_->fileMenu()->grab().save(folder + "/filemenu-" +
                                             QString::fromStdString(language) + ".png");
            window_->fileMenu()->hide();
        }
    }

  private:
    std::unique_ptr<ProgramFolder> program_;
    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<QTemporaryDir> cache_;
    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
