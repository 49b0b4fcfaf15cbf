// The main window as a desktop user drives it: panels and the working list,
// the menu bar and its shortcuts, keys, drops, the path bar and filters,
// the language menu, the closing question, settings kept between two window
// objects, and Rename, Substitute and Batch file with their Undo.

#include <sys/stat.h>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "gui/app/captions.hpp"
#include "gui/app/manualwindow.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/bcfpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/substitutepanel.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "gui/results/resultsdock.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using testing::listNames;
using testing::readFile;
using testing::snapshot;
using testing::writeFile;

class MainWindowTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() {
        startSession();
        files_ = std::make_unique<QTemporaryDir>();
        for (const char* n : {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"})
            writeFile(file(n), QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\n") + n + "\n");
        for (const char* n : {"a.out", "b.out", "C.OUT", "d.log", "e.gjf", ".hidden.out", "w.sum"})
            writeFile(file(n), "x\n");
        writeFile(file("other.com"), "# hf/sto-3g\n\nno block\n");
        ::mkfifo(file("pipe.out").toLocal8Bit().constData(), 0600);
        QDir(files_->path()).mkdir("sub");
        writeFile(file("sub/a.out"), "x\n");
        cache_ = std::make_unique<QTemporaryDir>();
        config_ = std::make_unique<QTemporaryDir>();
        app_->setJournalFolder(cache_->path());
        app_->setSettingsFile(config_->filePath("zerlant/zerlant.conf"));
        openWindow(files_->path());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        endSession();
        files_.reset();
        cache_.reset();
        config_.reset();
    }

    void startsOnExtractWithTheFolderAndFirstPattern() {
        QCOMPARE(window_->currentPanel(), Panel::Extract);
        QCOMPARE(window_->currentFolder(), QDir(files_->path()).canonicalPath());
        // The first pattern (*.out *.log) ignores letter case; hidden files and pipes are not
        // listed.
        QCOMPARE(window_->browser()->files(), QStringList({"a.out", "b.out", "C.OUT", "d.log"}));
        for (const char* name :
             {"BTtexto", "BTexcel", "BTtextos", "BTexcels", "BTTextoA", "BTexcelA"})
            QVERIFY2(!window_->findChild<QPushButton*>(name)->isEnabled(), name);
    }

    void menuBarAndShortcuts() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
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
        // F1 opens the manual.
        QTest::keyClick(window_.get(), Qt::Key_F1);
        auto* manual = window_->findChild<ManualWindow*>();
        QVERIFY(manual && manual->isVisible());
        manual->close();
        // View brings back the closed results and hides the tool panel.
        window_->resultsDock()->showPage(ResultsDock::Page::Extract);
        window_->resultsDock()->close();
        window_->findChild<QAction*>("actViewResults")->trigger();
        QVERIFY(window_->resultsDock()->isVisible());
        for (bool visible : {false, true}) {
            window_->findChild<QAction*>("actViewToolPanel")->trigger();
            QCOMPARE(window_->findChild<QWidget*>("panelArea")->isVisible(), visible);
        }
    }

    void showingAPanelEmptiesTheListAndKeepsExportButtons() {
        FileBrowser* browser = window_->browser();
        auto* panels = window_->findChild<QStackedWidget*>("panels");
        for (const char* key :
             {"Scan", "Renombrar", "Sustituir", "Crearbcf", "Aim", "Extraer", "Extraer"}) {
            browser->setPattern("*");
            browser->selectAll();
            window_->findChild<QPushButton*>("BTadd")->click();
            window_->extractPanel()->setExportEnabled(true);
            window_->toolbarClicked(key);
            QCOMPARE(window_->listModel()->entryCount(), std::size_t(0));
            QVERIFY(!window_->listModel()->headingChecked());
            QVERIFY(window_->extractPanel()->exportEnabled());
            QCOMPARE(panels->currentWidget(), window_->panel(window_->currentPanel()));
        }
        window_->toolbarClicked("nothing");  // an unknown key does nothing
        QCOMPARE(window_->currentPanel(), Panel::Extract);
    }

    void addRemoveSwitchAllAndKeys() {
        FileBrowser* browser = window_->browser();
        FileListModel* model = window_->listModel();
        WorkingListView* view = window_->listView();
        auto* files = window_->findChild<QListWidget*>("lstarchivos");
        auto* add = window_->findChild<QPushButton*>("BTadd");

        browser->setPattern("*.out");
        browser->selectFiles({"a.out", "C.OUT"});
        add->click();
        QCOMPARE(listNames(*model), QStringList({"a.out", "C.OUT"}));
        QCOMPARE(view->currentIndex(), model->index(1, 1));  // the last added
        // Adding clears the selection and disables the exports.
        window_->extractPanel()->setExportEnabled(true);
        browser->selectAll();
        add->click();
        QCOMPARE(listNames(*model), QStringList({"a.out", "C.OUT", "b.out"}));
        QVERIFY(files->selectedItems().isEmpty());
        QVERIFY(!window_->extractPanel()->exportEnabled());
        // A double click adds.
        browser->setPattern("*.log");
        files->item(0)->setSelected(true);
        emit files->itemDoubleClicked(files->item(0));
        QCOMPARE(listNames(*model).last(), QString("d.log"));

        // Enter and Space toggle the current row; a press anywhere in the
        // check cell toggles it, not in the name.
        view->setFocus();
        view->setCurrentIndex(model->index(1, 1));
        for (auto [key, checked] :
             {std::pair{Qt::Key_Space, false}, std::pair{Qt::Key_Return, true},
              std::pair{Qt::Key_Enter, false}}) {
            QTest::keyClick(view, key);
            QCOMPARE(model->isChecked(2), checked);
        }
        const QRect cell = view->visualRect(model->index(2, 0));
        for (auto [at, checked] :
             {std::pair{cell.topLeft() + QPoint(2, 2), false}, std::pair{cell.center(), true},
              std::pair{view->visualRect(model->index(2, 1)).center(), true}}) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(model->isChecked(3), checked);
        }
        // The heading's box switches every row and itself.
        window_->extractPanel()->setExportEnabled(true);
        const QHeaderView* header = view->horizontalHeader();
        const QPoint box(header->sectionPosition(0) + header->sectionSize(0) / 2,
                         header->height() / 2);
        QTest::mousePress(view->checkHeader()->viewport(), Qt::LeftButton, {}, box);
        QVERIFY(model->headingChecked());
        for (std::size_t e = 1; e <= model->entryCount(); ++e) QVERIFY(model->isChecked(e));
        QVERIFY(!window_->extractPanel()->exportEnabled());
        QTest::keyClick(view, Qt::Key_Space);  // single toggles leave the heading alone
        QVERIFY(model->headingChecked());
        QTest::mousePress(view->checkHeader()->viewport(), Qt::LeftButton, {}, box);
        QVERIFY(!model->headingChecked() && !model->isChecked(1));

        // Remove checked; Delete removes the selected rows, checked or not.
        model->toggle(1);
        model->toggle(3);
        window_->findChild<QPushButton*>("BTdelete")->click();
        QCOMPARE(listNames(*model), QStringList({"C.OUT", "d.log"}));
        view->setFocus();
        view->selectionModel()->select(
            model->index(0, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(listNames(*model), QStringList{"d.log"});
        window_->findChild<QPushButton*>("BTdeleteall")->click();
        QCOMPARE(model->rowCount(), 0);
    }

    void anAimRunUnticksWhatIsNotASummaryFileTheHeadingToo() {
        window_->toolbarClicked("Aim");
        FileListModel* model = window_->listModel();
        model->add(files_->path(), {"e.gjf", "a.out"});
        model->switchAll();
        QVERIFY(testing::runAndWait(window_->aimPanel()));
        QVERIFY(!model->headingChecked() && !model->isChecked(1) && !model->isChecked(2));
        QVERIFY(window_->aimPanel()->exportEnabled());
        QVERIFY(dialogs_->shown.isEmpty());
    }

    void filesDroppedFromAFileManagerFollowTheAddRules() {
        FileListModel* model = window_->listModel();
        WorkingListView* view = window_->listView();
        model->add(files_->path(), {"a.out"});
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file("sub/a.out")), QUrl::fromLocalFile(file("e.gjf")),
                      QUrl::fromLocalFile(file("sub"))});
        window_->extractPanel()->setExportEnabled(true);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QCOMPARE(listNames(*model), QStringList({"a.out", "e.gjf"}));
        QVERIFY(model->isChecked(2));
        QVERIFY(!window_->extractPanel()->exportEnabled());
    }

    void folderAndPatternChangesDisableTheExports() {
        const std::function<void()> changes[] = {
            [&] { window_->browser()->setPattern("*.gjf"); },
            [&] { QVERIFY(window_->browser()->setCurrentFolder(file("sub"))); },
            [&] {
                window_->listView()->setFocus();
                QTest::mouseClick(window_->listView()->viewport(), Qt::LeftButton);
            },
        };
        for (std::size_t i = 0; i < std::size(changes); ++i) {
            for (auto* p : window_->findChildren<ReadingPanel*>()) p->setExportEnabled(true);
            changes[i]();
            for (auto* p : window_->findChildren<ReadingPanel*>())
                QVERIFY2(!p->textButton()->isEnabled() && !p->sheetButton()->isEnabled(),
                         qPrintable(QString::number(i)));
        }
        QVERIFY(!window_->listModel()->headingChecked());
    }

    void pathBarDrivesAndFilters() {
        FileBrowser* browser = window_->browser();
        window_->showPanel(Panel::Aim);
        QCOMPARE(browser->files(), QStringList{"w.sum"});
        window_->showPanel(Panel::Substitute);
        QCOMPARE(browser->files(),
                 QStringList({"ch4_opt.gjf", "e.gjf", "h2o_opt.gjf", "nh3_opt.gjf", "other.com"}));
        // A pattern typed by the user stays with the tool.
        browser->setPattern("h2o* ; *.com");
        QCOMPARE(browser->files(), QStringList({"h2o_opt.gjf", "other.com"}));
        window_->showPanel(Panel::Extract);
        window_->showPanel(Panel::Substitute);
        QCOMPARE(browser->currentPattern(), QString("h2o* ; *.com"));

        // A drive that cannot be read: message 132, and back where it was.
        QComboBox* drives = browser->driveList();
        const QString folder = window_->currentFolder();
        drives->addItem("/nonexistent-volume", "/nonexistent-volume");
        browser->chooseDrive(drives->count() - 1);
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::DriveUnreadable)});
        QCOMPARE(window_->currentFolder(), folder);
        QVERIFY(drives->currentIndex() != drives->count() - 1);
        dialogs_->shown.clear();

        // A folder typed into the path bar, with completion over the disk;
        // one that does not exist is refused with a message.
        QComboBox* bar = browser->pathBar();
        QVERIFY(bar->completer() != nullptr);
        for (const char* typed : {"sub", "nowhere"}) {
            bar->setEditText(file(typed));
            QTest::keyClick(bar->lineEdit(), Qt::Key_Return);
            QCOMPARE(window_->currentFolder(), file("sub"));
        }
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::FolderUnreadable)});
        // The recent folders are in its list, the current one first; Home.
        QCOMPARE(browser->recentFolders().value(0), file("sub"));
        browser->homeButton()->click();
        QCOMPARE(window_->currentFolder(), QDir::cleanPath(QDir::homePath()));
    }

    // Files a job writes into the shown folder appear by themselves; what
    // the user had selected stays selected.
    void folderListFollowsTheDisk() {
        FileBrowser* browser = window_->browser();
        browser->selectFiles({"a.out"});
        writeFile(file("c_new.out"), "x\n");
        QTRY_VERIFY(browser->files().contains("c_new.out"));
        QCOMPARE(browser->selectedFiles(), QStringList{"a.out"});
        QFile::remove(file("a.out"));
        QTRY_VERIFY(!browser->files().contains("a.out"));
    }

    void cancelOnClosingKeepsEverything() {
        window_->listModel()->add(files_->path(), {"a.out"});
        window_->extractPanel()->setExportEnabled(true);
        // Ctrl+Q asks, as closing the window does; No keeps everything.
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        dialogs_->confirmAnswer = false;
        QTest::keyClick(window_.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(window_->isVisible());
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].title, app_->msg(Msg::CloseTitle));
        QCOMPARE(dialogs_->questions[0].text, app_->msg(Msg::CloseQuestion));
        QCOMPARE(window_->listModel()->entryCount(), std::size_t(1));
        QVERIFY(window_->extractPanel()->exportEnabled());
        dialogs_->confirmAnswer = true;
        QVERIFY(window_->close());
        QVERIFY(!window_->isVisible());
    }

    void settingsComeBackInTheNextWindow() {
        window_->showPanel(Panel::Substitute);
        window_->browser()->setPattern("*.gjf");
        window_->showPanel(Panel::Extract);
        window_->browser()->setPattern("*.log");
        ExtractPanel* extract = window_->extractPanel();
        extract->box(ExtractBox::Formula)->setChecked(false);
        extract->box(ExtractBox::Energy)->setChecked(true);
        QVERIFY(window_->browser()->setCurrentFolder(file("sub")));
        window_->resize(1000, 700);
        window_->showPanel(Panel::Aim);
        QVERIFY(window_->close());  // closing writes them
        window_.reset();

        MainWindow second(*app_, *dialogs_);
        QCOMPARE(second.currentPanel(), Panel::Aim);
        QCOMPARE(second.currentFolder(), file("sub"));
        QCOMPARE(second.filterFor(Panel::Substitute), QString("*.gjf"));
        QCOMPARE(second.filterFor(Panel::Extract), QString("*.log"));
        QCOMPARE(second.filterFor(Panel::Scan), MainWindow::defaultFilter(Panel::Scan));
        QVERIFY(!second.extractPanel()->box(ExtractBox::Formula)->isChecked());
        QVERIFY(second.extractPanel()->box(ExtractBox::Energy)->isChecked());
        // As large as it was, where the screen has room for it.
        const QSize room = second.screen()->availableGeometry().size();
        QCOMPARE(second.size(),
                 QSize(1000, 700).boundedTo(room).expandedTo(second.minimumSizeHint()));
        QCOMPARE(second.browser()->recentFolders().value(0), file("sub"));
        // A size saved on a larger screen comes back no larger than this one.
        second.setGeometry(QRect(QPoint(40, 30), room + QSize(700, 500)));
        second.saveSettings();
        MainWindow third(*app_, *dialogs_);
        QVERIFY(QRect(QPoint(), room).contains(QRect(QPoint(), third.size())));
        QVERIFY(second.screen()->availableGeometry().contains(third.geometry()));
        // The language file is not where any of it went.
        QVERIFY(!program_->languageBytes().contains("zerlant.conf"));
        QVERIFY(!readFile(config_->filePath("zerlant/zerlant.conf")).isEmpty());
    }

    void choosingALanguageTakesItAtOnceAndRecordsIt() {
        QMenu* menu = window_->languageMenu();
        const auto& names = app_->languages().languageNames;
        const int current = app_->languages().isCurrent(0) ? 0 : 1;
        const int other = 1 - current;
        // The current language does nothing, and keeps its mark.
        const QByteArray before = program_->languageBytes();
        menu->actions()[current]->trigger();
        QCOMPARE(program_->languageBytes(), before);
        QVERIFY(menu->actions()[current]->isChecked());
        // Another one: recorded in the file for the next start, and taken at
        // once (every caption: laptop_test), without emptying the list.
        window_->listModel()->add(files_->path(), {"a.out"});
        const QString extractBefore = window_->extractPanel()->title();
        menu->actions()[other]->trigger();
        QCOMPARE(GetMessage(program_->languageFile().toStdString(), "idioma", "idioma"),
                 names[other]);
        QCOMPARE(app_->currentLanguage(), names[other]);
        QVERIFY(!menu->actions()[current]->isChecked() && menu->actions()[other]->isChecked());
        QVERIFY(window_->extractPanel()->title() != extractBefore);
        QCOMPARE(window_->listModel()->entryCount(), std::size_t(1));
        QVERIFY(dialogs_->shown.isEmpty());

        // The editor's entry asks for the editor.
        QSignalSpy asked(window_.get(), &MainWindow::languageEditorRequested);
        window_->chooseLanguageItem(int(names.size()) + 1);
        QCOMPARE(asked.count(), 1);

        // A language gone from the file: message 14, the file unchanged.
        QByteArray bytes = program_->languageBytes();
        bytes.replace("[" + QByteArray::fromStdString(names[current]) + "]", "[Gone]");
        QVERIFY(writeFile(program_->languageFile(), bytes));
        window_->chooseLanguageItem(current);
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::LanguageNotInFile)});
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(program_->languageBytes(), bytes);
    }

    // Languages, a separator and the editor's entry, however many.
    void moreThanEightLanguagesAreAllListed() {
        QByteArray bytes = program_->languageBytes();
        for (int i = 0; i < 9; ++i)
            bytes += "\r\n[Extra" + QByteArray::number(i) + "]\r\n1=Zerlant\r\n";
        QVERIFY(writeFile(program_->languageFile(), bytes));
        AppContext app(program_->folder());
        MainWindow window(app, *dialogs_, files_->path());
        QCOMPARE(window.languageMenu()->actions().size(), 11 + 2);
        QCOMPARE(window.languageMenu()->actions().last()->text(), app.msg(Msg::EditLanguages));
    }

    // A preview renames nothing; a run leaves unticked rows and names taken
    // by another file; Undo puts names back on disk and in the list, so that
    // the next run finds its files, and then has nothing left to undo.
    void renamePreviewRunAndUndo() {
        window_->showPanel(Panel::Rename);
        window_->browser()->setPattern("*.gjf");
        FileListModel* list = window_->listModel();
        list->add(files_->path(), {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(3);  // ch4 unticked: previewed, not renamed
        writeFile(file("nh3_freq.gjf"), "already here");
        const auto before = snapshot(files_->path());
        RenamePanel* p = window_->renamePanel();
        QVERIFY(!p->undoButton->isEnabled());
        p->ruleChoice->button(3)->click();  // replace
        p->replaceText->setText("_OPT");
        p->replaceWith->setText("_freq");
        p->previewButton->click();
        for (std::size_t e = 1; e <= 3; ++e)
            QCOMPARE(list->newName(e), QString(list->name(e)).replace("_opt", "_freq"));
        QCOMPARE(snapshot(files_->path()), before);

        p->runButton->click();
        const QString done = app_->msg(Msg::RenameDone).arg(1).arg(2);
        QCOMPARE(dialogs_->texts(),
                 QStringList(
                     {app_->msg(Msg::NewNameExists) + "\n" + app_->msg(Msg::RowsUnticked), done}));
        QCOMPARE(window_->statusBar()->currentMessage(), done);
        QCOMPARE(listNames(*list), QStringList({"h2o_freq.gjf", "nh3_opt.gjf", "ch4_opt.gjf"}));
        QCOMPARE(list->path(1), file("h2o_freq.gjf"));
        QVERIFY(list->newName(1).isEmpty() && !list->isChecked(2));
        QCOMPARE(readFile(file("nh3_freq.gjf")), QByteArray("already here"));
        QVERIFY(!QFile::exists(file("h2o_opt.gjf")));
        QVERIFY(window_->browser()->files().contains("h2o_freq.gjf"));

        for (int run = 1; run <= 2; ++run) {
            if (run == 2) {
                QFile::remove(file("nh3_freq.gjf"));
                list->switchAll();
                p->runButton->click();
                QCOMPARE(window_->statusBar()->currentMessage(),
                         app_->msg(Msg::RenameDone).arg(3).arg(3));
                QVERIFY(QFile::exists(file("nh3_freq.gjf")));
            }
            QVERIFY(p->undoButton->isEnabled());
            const auto shown = dialogs_->shown.size();
            p->undoButton->click();
            QCOMPARE(dialogs_->shown.size(), shown);
            QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::RunUndone));
            QCOMPARE(listNames(*list), QStringList({"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"}));
            auto expected = before;
            if (run == 2)
                expected.remove("nh3_freq.gjf");
            QCOMPARE(snapshot(files_->path()), expected);
            for (std::size_t e = 1; e <= 3; ++e) QCOMPARE(list->path(e), file(list->name(e)));
        }
        QVERIFY(!p->undoButton->isEnabled());
        dialogs_->shown.clear();
        p->undo();
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::NothingToUndo)});
    }

    // Substitute asks first, changes only the ticked files that hold the
    // block (keeping their line ends), and its Undo refuses a file edited
    // since and otherwise restores every byte.
    void substituteAsksWritesAndUndoes() {
        window_->showPanel(Panel::Substitute);
        writeFile(file("win.gjf"), "%chk=w\r\n# opt b3lyp/6-31g(d)\r\n\r\nw\r\n");
        FileListModel* list = window_->listModel();
        list->add(files_->path(), {"h2o_opt.gjf", "other.com", "win.gjf", "nh3_opt.gjf"});
        list->toggle(4);
        const auto before = snapshot(files_->path());
        SubstitutePanel* p = window_->substitutePanel();
        QVERIFY(!p->undoButton->isEnabled());
        QGuiApplication::clipboard()->setText("# opt b3lyp/6-31g(d)\n");
        p->pasteFromButton->click();
        QCOMPARE(p->blockFrom->toPlainText(), QString("# opt b3lyp/6-31g(d)\n"));
        p->blockTo->setPlainText("# opt freq m062x/def2tzvp\n");

        dialogs_->confirmAnswer = false;  // "No": nothing written
        p->runButton->click();
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text, app_->msg(Msg::SubstituteQuestion).arg(2).arg(3));
        QCOMPARE(snapshot(files_->path()), before);

        dialogs_->confirmAnswer = true;
        p->runButton->click();
        QCOMPARE(readFile(file("h2o_opt.gjf")),
                 QByteArray("%chk=x\n# opt freq m062x/def2tzvp\n\nh2o_opt.gjf\n"));
        QCOMPARE(readFile(file("win.gjf")),
                 QByteArray("%chk=w\r\n# opt freq m062x/def2tzvp\r\n\r\nw\r\n"));
        QCOMPARE(readFile(file("nh3_opt.gjf")), before["nh3_opt.gjf"]);
        const QString done = app_->msg(Msg::SubstituteDone).arg(2).arg(3);
        QCOMPARE(dialogs_->texts(), QStringList{done});
        QCOMPARE(window_->statusBar()->currentMessage(), done);
        // The record is in the cache folder, never beside the files.
        QCOMPARE(snapshot(files_->path()).keys(), before.keys());

        // A file edited since: Undo refuses and changes nothing.
        const QByteArray ran = readFile(file("win.gjf"));
        writeFile(file("win.gjf"), ran + "edited\n");
        const auto afterEdit = snapshot(files_->path());
        p->undoButton->click();
        QCOMPARE(dialogs_->shown.size(), 2);
        QVERIFY(dialogs_->shown[1].text.startsWith(app_->msg(Msg::UndoRefused)));
        QVERIFY(dialogs_->shown[1].text.contains("win.gjf"));
        QCOMPARE(snapshot(files_->path()), afterEdit);
        // Put back as the run left it: Undo restores every byte.
        writeFile(file("win.gjf"), ran);
        p->undoButton->click();
        QCOMPARE(dialogs_->shown.size(), 2);
        QCOMPARE(snapshot(files_->path()), before);
        QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::RunUndone));
        QVERIFY(!p->undoButton->isEnabled());

        // No ticked file holds the block: said so, nothing asked; the status
        // bar tells the last action, not the Undo before it.
        p->blockFrom->setPlainText("not in any file");
        p->runButton->click();
        QCOMPARE(dialogs_->questions.size(), 2);
        QCOMPARE(dialogs_->shown.last().text, app_->msg(Msg::BlockNotFound));
        QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::BlockNotFound));
    }

    // A batch file needs a name; it lists the ticked jobs with their outputs.
    void batchFileOfTheTickedJobs() {
        window_->showPanel(Panel::Batch);
        FileListModel* list = window_->listModel();
        list->add(files_->path(), {"h2o_opt.gjf", "nh3_opt.gjf", "ch4_opt.gjf"});
        list->toggle(2);
        BcfPanel* p = window_->bcfPanel();
        p->runButton->click();  // no name: refused, nothing written
        QCOMPARE(dialogs_->texts().size(), 1);
        QVERIFY(!QFile::exists(file(".bcf")));
        p->batchName->setText("jobs");
        p->fullPaths->setChecked(true);
        p->runButton->click();
        const QByteArray written = readFile(file("jobs.bcf"));
        QVERIFY(written.endsWith((file("h2o_opt.gjf") + " , " + file("h2o_opt.out") + "\r\n" +
                                  file("ch4_opt.gjf") + " , " + file("ch4_opt.out") + "\r\n")
                                     .toUtf8()));
        QCOMPARE(p->batchText->toPlainText(), QString::fromUtf8(written).remove('\r'));
        const QString done = app_->msg(Msg::BatchDone).arg(file("jobs.bcf")).arg(2);
        QCOMPARE(dialogs_->texts().value(1), done);
        QCOMPARE(window_->statusBar()->currentMessage(), done);
    }

  private:
    QString file(const QString& name) const { return files_->filePath(name); }

    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<QTemporaryDir> cache_;
    std::unique_ptr<QTemporaryDir> config_;
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
