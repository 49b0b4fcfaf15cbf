// The main window as a desktop user drives it: panels and the working list,
// the menu bar and its shortcuts, keys, drops, the path bar and filters,
// export buttons, the language menu, the closing question, settings kept
// between two window objects, and Substitute and Rename with their Undo.

#include <sys/stat.h>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <functional>

#include "gui/app/captions.hpp"
#include "gui/app/manualwindow.hpp"
#include "gui/language/languageeditor.hpp"
#include "gui/mainwindow/aimpanel.hpp"
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
            writeFile(files_->filePath(n),
                      QByteArray("%chk=x\n# opt b3lyp/6-31g(d)\n\n") + n + "\n");
        for (const char* n : {"a.out", "b.out", "C.OUT", "d.log", "e.gjf", ".hidden.out", "w.sum"})
            writeFile(files_->filePath(n), "x\n");
        writeFile(files_->filePath("other.com"), "# hf/sto-3g\n\nno block\n");
        ::mkfifo(files_->filePath("pipe.out").toLocal8Bit().constData(), 0600);
        QDir(files_->path()).mkdir("sub");
        writeFile(files_->filePath("sub/a.out"), "x\n");
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
        QCOMPARE(window_->browser()->currentPattern(), QString("*.out *.log"));
        // Patterns ignore letter case; hidden files and pipes are not listed.
        QCOMPARE(window_->browser()->files(), QStringList({"a.out", "b.out", "C.OUT", "d.log"}));
        QCOMPARE(window_->listModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 app_->msg(Msg::Files));
        // Tab goes down the columns of boxes, then to the buttons.
        ExtractPanel* extract = window_->extractPanel();
        QCOMPARE(extract->box(ExtractBox::Status)->nextInFocusChain(),
                 extract->box(ExtractBox::Energy));
        QCOMPARE(extract->box(ExtractBox::TD)->nextInFocusChain(),
                 extract->box(ExtractBox::Reason));
        QCOMPARE(extract->box(ExtractBox::Converged)->nextInFocusChain(), extract->runButton());
        QCOMPARE(extract->runButton()->nextInFocusChain(), extract->textButton());
        for (const char* name :
             {"BTtexto", "BTexcel", "BTtextos", "BTexcels", "BTTextoA", "BTexcelA"})
            QVERIFY2(!window_->findChild<QPushButton*>(name)->isEnabled(), name);
    }

    void menuBarAndShortcuts() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QStringList titles;
        for (QAction* a : window_->menuBar()->actions()) titles << a->text();
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
        auto* manualAction = window_->findChild<QAction*>("actManual");
        QCOMPARE(manualAction->shortcut(), QKeySequence(QKeySequence::HelpContents));
        manualAction->trigger();
        auto* manual = window_->findChild<ManualWindow*>();
        QVERIFY(manual && manual->isVisible());
        QVERIFY(manual->browser()->toPlainText().contains("Zerlant"));
        manual->close();
        // View brings back the closed results and tool panel.
        auto* results = window_->findChild<QAction*>("actViewResults");
        QCOMPARE(results->text(), app_->msg(Msg::Results));
        window_->resultsDock()->showPage(ResultsDock::Page::Extract);
        window_->resultsDock()->close();
        results->trigger();
        QVERIFY(window_->resultsDock()->isVisible());
        for (bool visible : {false, true}) {
            window_->findChild<QAction*>("actViewToolPanel")->trigger();
            QCOMPARE(window_->findChild<QWidget*>("panelArea")->isVisible(), visible);
        }
        // Ctrl+Q asks, as closing the window does (cancelOnClosingKeepsEverything).
        dialogs_->confirmAnswer = false;
        QTest::keyClick(window_.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(dialogs_->questions.size(), 1);
        QVERIFY(window_->isVisible());

        // Buttons carry distinct underlined letters within what is shown.
        QSet<QChar> letters;
        for (QWidget* root : {static_cast<QWidget*>(window_->browser()),
                              static_cast<QWidget*>(window_->extractPanel())}) {
            for (QPushButton* b : root->findChildren<QPushButton*>()) {
                const QString t = b->text();
                const qsizetype at = t.indexOf('&');
                QVERIFY2(at >= 0 && !letters.contains(t.at(at + 1).toLower()), qPrintable(t));
                letters.insert(t.at(at + 1).toLower());
            }
        }
        QVERIFY(letters.size() >= 8);
    }

    void showingAPanelEmptiesTheListAndKeepsExportButtons() {
        FileBrowser* browser = window_->browser();
        auto* panels = window_->findChild<QStackedWidget*>("panels");
        for (const char* key :
             {"Scan", "Renombrar", "Sustituir", "Crearbcf", "Aim", "Extraer", "Extraer"}) {
            browser->setPattern("*");
            browser->selectAll();
            window_->findChild<QPushButton*>("BTadd")->click();
            QVERIFY(window_->listModel()->entryCount() > 0);
            window_->extractPanel()->setExportEnabled(true);
            window_->toolbarClicked(key);
            QCOMPARE(window_->listModel()->entryCount(), std::size_t(0));
            QVERIFY(!window_->listModel()->headingChecked());
            QVERIFY(window_->extractPanel()->exportEnabled());
            QCOMPARE(panels->currentWidget(), window_->panel(window_->currentPanel()));
        }
        window_->toolbarClicked("Renombrar");
        QCOMPARE(window_->listModel()->columnCount(), 3);
        QCOMPARE(window_->listModel()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 app_->msg(Msg::NewName));
        window_->toolbarClicked("Sustituir");
        QCOMPARE(window_->listModel()->columnCount(), 2);
        window_->toolbarClicked("nothing");  // an unknown key does nothing
        QCOMPARE(window_->currentPanel(), Panel::Substitute);
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
        QVERIFY(files->selectedItems().isEmpty());
        QCOMPARE(view->currentIndex(), model->index(1, 1));  // the last added
        QCOMPARE(model->path(1), files_->filePath("a.out"));

        // Adding again adds nothing, but clears the selection and disables
        // the exports all the same.
        for (const char* last : {"b.out", "b.out"}) {
            window_->extractPanel()->setExportEnabled(true);
            browser->selectAll();
            add->click();
            QCOMPARE(listNames(*model), QStringList({"a.out", "C.OUT", last}));
            QVERIFY(files->selectedItems().isEmpty());
            QVERIFY(!window_->extractPanel()->exportEnabled());
        }

        // The same name from another folder is not added; a double click adds.
        QVERIFY(browser->setCurrentFolder(files_->filePath("sub")));
        browser->selectAll();
        add->click();
        QCOMPARE(model->entryCount(), std::size_t(3));
        QVERIFY(browser->setCurrentFolder(files_->path()));
        browser->setPattern("*.log");
        QSignalSpy added(browser, &FileBrowser::addRequested);
        auto* item = files->item(0);
        QCOMPARE(item->text(), QString("d.log"));
        item->setSelected(true);
        emit files->itemDoubleClicked(item);
        QCOMPARE(added.count(), 1);
        QCOMPARE(listNames(*model).last(), QString("d.log"));

        // Enter and Space toggle the current row; the heading's box
        // switches every row and itself.
        view->setFocus();
        view->setCurrentIndex(model->index(1, 1));
        for (auto [key, checked] :
             {std::pair{Qt::Key_Space, false}, std::pair{Qt::Key_Return, true},
              std::pair{Qt::Key_Enter, false}}) {
            QTest::keyClick(view, key);
            QCOMPARE(model->isChecked(2), checked);
        }
        // A press anywhere in the check cell toggles it, not in the name.
        const QRect cell = view->visualRect(model->index(2, 0));
        for (auto [at, checked] :
             {std::pair{cell.topLeft() + QPoint(2, 2), false}, std::pair{cell.center(), true},
              std::pair{view->visualRect(model->index(2, 1)).center(), true}}) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(model->isChecked(3), checked);
        }

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
        QVERIFY(!model->headingChecked());
        QVERIFY(!model->isChecked(1));

        // Remove checked keeps the order and the name/path pairing.
        model->toggle(1);
        model->toggle(3);
        window_->findChild<QPushButton*>("BTdelete")->click();
        QCOMPARE(listNames(*model), QStringList({"C.OUT", "d.log"}));
        QCOMPARE(model->path(1), files_->filePath("C.OUT"));
        QCOMPARE(model->path(2), files_->filePath("d.log"));
        // Delete removes the selected rows, checked or not.
        view->setFocus();
        view->selectionModel()->select(
            model->index(0, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(listNames(*model), QStringList{"d.log"});
        window_->findChild<QPushButton*>("BTdeleteall")->click();
        QCOMPARE(model->entryCount(), std::size_t(0));
        QCOMPARE(model->rowCount(), 0);
    }

    void anAimRunUnticksWhatIsNotASummaryFileTheHeadingToo() {
        window_->toolbarClicked("Aim");
        FileListModel* model = window_->listModel();
        model->add(files_->path(), {"e.gjf", "a.out"});
        model->switchAll();
        QVERIFY(model->headingChecked());
        QVERIFY(testing::runAndWait(window_->aimPanel()));
        QVERIFY(!model->headingChecked());
        QVERIFY(!model->isChecked(1));
        QVERIFY(!model->isChecked(2));
        QVERIFY(window_->aimPanel()->exportEnabled());
        QVERIFY(dialogs_->shown.isEmpty());
    }

    void filesDroppedFromAFileManagerFollowTheAddRules() {
        FileListModel* model = window_->listModel();
        WorkingListView* view = window_->listView();
        model->add(files_->path(), {"a.out"});
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(files_->filePath("sub/a.out")),
                      QUrl::fromLocalFile(files_->filePath("e.gjf")),
                      QUrl::fromLocalFile(files_->filePath("sub"))});
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
        QHeaderView* header = window_->listView()->horizontalHeader();
        const std::function<void()> changes[] = {
            [&] { window_->browser()->setPattern("*.gjf"); },
            [&] { QVERIFY(window_->browser()->setCurrentFolder(files_->filePath("sub"))); },
            [&] {
                window_->listView()->setFocus();
                QTest::mouseClick(window_->listView()->viewport(), Qt::LeftButton);
            },
            // Also a press on the heading text.
            [&] {
                QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionPosition(1) + 10, header->height() / 2));
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

    void pathBarTreeDrivesAndFilters() {
        FileBrowser* browser = window_->browser();
        // The tree loads and sorts its folders in the background; once it
        // has settled the current folder is selected and in view.
        auto* tree = window_->findChild<QTreeView*>("lstdirectorio");
        QTRY_COMPARE(tree->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                     QDir(files_->path()).canonicalPath());
        QTest::qWait(500);
        QTRY_VERIFY(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));

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
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::DriveUnreadable));
        QCOMPARE(dialogs_->shown[0].title, app_->title());
        QCOMPARE(window_->currentFolder(), folder);
        QVERIFY(drives->currentIndex() != drives->count() - 1);
        dialogs_->shown.clear();

        // A folder typed into the path bar, with completion over the disk;
        // one that does not exist is refused with a message.
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
        writeFile(files_->filePath("c_new.out"), "x\n");
        QTRY_VERIFY(browser->files().contains("c_new.out"));
        QCOMPARE(browser->selectedFiles(), QStringList{"a.out"});
        QFile::remove(files_->filePath("a.out"));
        QTRY_VERIFY(!browser->files().contains("a.out"));
    }

    void cancelOnClosingKeepsEverything() {
        window_->listModel()->add(files_->path(), {"a.out"});
        window_->extractPanel()->setExportEnabled(true);
        dialogs_->confirmAnswer = false;
        QVERIFY(!window_->close());
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
        QVERIFY(window_->browser()->setCurrentFolder(files_->filePath("sub")));
        window_->resize(1000, 700);
        window_->showPanel(Panel::Aim);
        QVERIFY(window_->close());  // closing writes them
        window_.reset();

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

    void choosingALanguageTakesItAtOnceAndRecordsIt() {
        QMenu* menu = window_->languageMenu();
        const auto& names = app_->languages().languageNames;
        QVERIFY(names.size() >= 2);
        // Languages, a separator and the editor's entry.
        QCOMPARE(menu->actions().size(), int(names.size()) + 2);
        QVERIFY(menu->actions()[int(names.size())]->isSeparator());
        QCOMPARE(menu->actions().last()->text(), app_->msg(Msg::EditLanguages));

        const int current = app_->languages().isCurrent(0) ? 0 : 1;
        const int other = 1 - current;
        QVERIFY(menu->actions()[current]->isChecked());

        // The current language does nothing, and keeps its mark.
        const QByteArray before = program_->languageBytes();
        menu->actions()[current]->trigger();
        QVERIFY(dialogs_->shown.isEmpty());
        QCOMPARE(program_->languageBytes(), before);
        QVERIFY(menu->actions()[current]->isChecked());

        // Another one: recorded in the file for the next start, and taken
        // at once: the open window's captions are read again, in the new
        // language, without a message and without emptying the list.
        window_->listModel()->add(files_->path(), {"a.out"});
        const QString extractBefore = window_->extractPanel()->title();
        menu->actions()[other]->trigger();
        QCOMPARE(QString::fromStdString(
                     GetMessage(program_->languageFile().toStdString(), "idioma", "idioma")),
                 QString::fromStdString(names[other]));
        QCOMPARE(app_->currentLanguage(), names[other]);
        QVERIFY(!menu->actions()[current]->isChecked());
        QVERIFY(menu->actions()[other]->isChecked());
        // (Every caption in the new language: laptop_test.)
        QVERIFY(window_->extractPanel()->title() != extractBefore);
        QCOMPARE(window_->listModel()->entryCount(), std::size_t(1));
        menu->actions()[other]->trigger();  // now current: nothing more
        QVERIFY(dialogs_->shown.isEmpty());

        // The editor's entry asks for the editor: a Close button, and Escape
        // closes it.
        QSignalSpy asked(window_.get(), &MainWindow::languageEditorRequested);
        window_->chooseLanguageItem(int(names.size()) + 1);
        QCOMPARE(asked.count(), 1);
        for (bool escape : {true, false}) {
            window_->openLanguageEditor();
            QPointer<LanguageEditor> editor = testing::shownWindow<LanguageEditor>();
            QVERIFY(editor);
            QCOMPARE(withoutMnemonic(editor->closeButton()->text()),
                     withoutMnemonic(app_->msg(Msg::Close)));
            if (escape)
                QTest::keyClick(editor, Qt::Key_Escape);
            else
                editor->closeButton()->click();
            QTRY_VERIFY(editor.isNull() || !editor->isVisible());
        }

        // A language gone from the file: message 14, the file unchanged.
        QByteArray bytes = program_->languageBytes();
        bytes.replace("[" + QByteArray::fromStdString(names[current]) + "]", "[Gone]");
        QVERIFY(writeFile(program_->languageFile(), bytes));
        window_->chooseLanguageItem(current);
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::LanguageNotInFile));
        QCOMPARE(program_->languageBytes(), bytes);
    }

    void moreThanEightLanguagesAreAllListed() {
        QByteArray bytes = program_->languageBytes();
        for (int i = 0; i < 9; ++i)
            bytes += "\r\n[Extra" + QByteArray::number(i) + "]\r\n1=Zerlant\r\n";
        QVERIFY(writeFile(program_->languageFile(), bytes));
        AppContext app(program_->folder());
        MainWindow window(app, *dialogs_, files_->path());
        QVERIFY(app.languages().languageNames.size() > 8);
        QCOMPARE(window.languageMenu()->actions().size(),
                 int(app.languages().languageNames.size()) + 2);
    }

    void substituteCountsAsksAndUndoes() {
        window_->showPanel(Panel::Substitute);
        window_->listModel()->add(files_->path(), {"h2o_opt.gjf", "other.com", "nh3_opt.gjf"});
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
        QCOMPARE(snapshot(files_->path()).keys(), before.keys());

        // A file edited since: Undo refuses and changes nothing.
        const QByteArray ran = readFile(files_->filePath("nh3_opt.gjf"));
        writeFile(files_->filePath("nh3_opt.gjf"), ran + "edited\n");
        const auto afterEdit = snapshot(files_->path());
        p->undoButton->click();
        QCOMPARE(dialogs_->shown.size(), 2);
        QVERIFY(dialogs_->shown[1].text.startsWith(app_->msg(Msg::UndoRefused)));
        QVERIFY(dialogs_->shown[1].text.contains("nh3_opt.gjf"));
        QCOMPARE(snapshot(files_->path()), afterEdit);

        // Put back as the run left it: Undo restores every byte.
        writeFile(files_->filePath("nh3_opt.gjf"), ran);
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
        const QString done = app_->msg(Msg::RenameDone).arg(3).arg(3);
        // Twice: Undo puts the names back on disk and in the list, so that
        // the next run finds its files.
        for (int run = 1; run <= 2; ++run) {
            p->runButton->click();
            QVERIFY(QFile::exists(files_->filePath("h2o_freq.gjf")));
            QVERIFY(!QFile::exists(files_->filePath("h2o_opt.gjf")));
            QVERIFY(p->undoButton->isEnabled());
            QCOMPARE(dialogs_->texts(), QStringList(run, done));
            QCOMPARE(window_->statusBar()->currentMessage(), done);
            p->undoButton->click();
            QCOMPARE(snapshot(files_->path()), before);
            QCOMPARE(dialogs_->texts(), QStringList(run, done));
            QCOMPARE(window_->statusBar()->currentMessage(), app_->msg(Msg::RunUndone));
            for (std::size_t e = 1; e <= 3; ++e) {
                QVERIFY(list->name(e).endsWith("_opt.gjf"));
                QCOMPARE(list->path(e), files_->filePath(list->name(e)));
                QVERIFY(list->newName(e).isEmpty());
            }
        }
        // Once undone there is nothing left to undo.
        dialogs_->shown.clear();
        QVERIFY(!p->undoButton->isEnabled());
        p->undo();
        QCOMPARE(dialogs_->texts(), QStringList{app_->msg(Msg::NothingToUndo)});
    }

  private:
    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<QTemporaryDir> cache_;
    std::unique_ptr<QTemporaryDir> config_;
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
