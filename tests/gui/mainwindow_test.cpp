// The main window: panels, the working list, export buttons, the language
// menu and the closing question.

#include <sys/stat.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/readingpanel.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::ProgramFolder;
using zerlant::gui::testing::RecordingDialogs;

namespace {

void touch(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("x\n");
}

QStringList listNames(const FileListModel& model) {
    QStringList names;
    for (std::size_t e = 1; e <= model.entryCount(); ++e) names << model.name(e);
    return names;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        program_ = std::make_unique<ProgramFolder>();
        files_ = std::make_unique<QTemporaryDir>();
        for (const char* name : {"a.out", "b.out", "C.OUT", "d.log", "e.gjf", ".hidden.out"})
            touch(files_->filePath(name));
        ::mkfifo(files_->filePath("pipe.out").toLocal8Bit().constData(), 0600);
        QDir(files_->path()).mkdir("sub");
        touch(files_->filePath("sub/a.out"));
        app_ = std::make_unique<AppContext>(program_->folder());
        dialogs_ = std::make_unique<RecordingDialogs>();
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, files_->path());
    }
    void cleanup() {
        window_.reset();
        dialogs_.reset();
        app_.reset();
        files_.reset();
        program_.reset();
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
             {"BTtexto", "BTexcel", "BTtextos", "BTexcels", "BTTextoA", "BTexcelA"}) {
            auto* b = window_->findChild<QPushButton*>(name);
            QVERIFY2(b != nullptr, name);
            QVERIFY(!b->isEnabled());
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
        QCOMPARE(window_->listModel()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
                 app_->msg(Msg::Files));
        window_->toolbarClicked("nothing");  // an unknown key does nothing
        QCOMPARE(window_->currentPanel(), Panel::Substitute);
    }

    void addRemoveSwitchAllAndKeys() {
        FileBrowser* browser = window_->browser();
        FileListModel* model = window_->listModel();
        WorkingListView* view = window_->listView();
        auto* files = window_->findChild<QListWidget*>("lstarchivos");

        browser->setPattern("*.out");
        browser->selectFiles({"a.out", "C.OUT"});
        window_->findChild<QPushButton*>("BTadd")->click();
        QCOMPARE(listNames(*model), QStringList({"a.out", "C.OUT"}));
        QVERIFY(files->selectedItems().isEmpty());
        QCOMPARE(view->currentIndex(), model->index(1, 1));  // the last added
        QCOMPARE(model->path(1), files_->filePath("a.out"));

        // Adding again adds nothing, but clears the selection and disables
        // the exports all the same.
        window_->extractPanel()->setExportEnabled(true);
        browser->selectAll();
        window_->findChild<QPushButton*>("BTadd")->click();
        QCOMPARE(listNames(*model), QStringList({"a.out", "C.OUT", "b.out"}));
        window_->extractPanel()->setExportEnabled(true);
        browser->selectAll();
        window_->findChild<QPushButton*>("BTadd")->click();
        QCOMPARE(model->entryCount(), std::size_t(3));
        QVERIFY(files->selectedItems().isEmpty());
        QVERIFY(!window_->extractPanel()->exportEnabled());

        // The same name from another folder is not added; a double click adds.
        QVERIFY(browser->setCurrentFolder(files_->filePath("sub")));
        browser->selectAll();
        window_->findChild<QPushButton*>("BTadd")->click();
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
        QTest::keyClick(view, Qt::Key_Space);
        QVERIFY(!model->isChecked(2));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(model->isChecked(2));
        QTest::keyClick(view, Qt::Key_Enter);
        QVERIFY(!model->isChecked(2));

        // A press anywhere in the check cell toggles it.
        const QRect cell = view->visualRect(model->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(2, 2));
        QVERIFY(!model->isChecked(3));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(model->isChecked(3));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(model->index(2, 1)).center());
        QVERIFY(model->isChecked(3));

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
        QSignalSpy finished(window_->aimPanel(), &ReadingPanel::runFinished);
        window_->aimPanel()->runButton()->click();
        QVERIFY(finished.wait(10000));
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
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(files_->filePath("sub/a.out")),
                       QUrl::fromLocalFile(files_->filePath("e.gjf")),
                       QUrl::fromLocalFile(files_->filePath("sub"))});
        window_->extractPanel()->setExportEnabled(true);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QCOMPARE(listNames(*model), QStringList({"a.out", "e.gjf"}));
        QVERIFY(model->isChecked(2));
        QVERIFY(!window_->extractPanel()->exportEnabled());
        delete mime;
    }

    void folderAndPatternChangesDisableTheExports() {
        auto enableAll = [this] {
            for (auto* p : window_->findChildren<ReadingPanel*>()) p->setExportEnabled(true);
        };
        auto noneEnabled = [this] {
            for (auto* p : window_->findChildren<ReadingPanel*>())
                if (p->textButton()->isEnabled() || p->sheetButton()->isEnabled())
                    return false;
            return true;
        };
        enableAll();
        window_->browser()->setPattern("*.gjf");
        QVERIFY(noneEnabled());
        enableAll();
        QVERIFY(window_->browser()->setCurrentFolder(files_->filePath("sub")));
        QVERIFY(noneEnabled());
        enableAll();
        window_->listView()->setFocus();
        QTest::mouseClick(window_->listView()->viewport(), Qt::LeftButton);
        QVERIFY(noneEnabled());
        // Also a press on the heading text.
        enableAll();
        QHeaderView* header = window_->listView()->horizontalHeader();
        QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionPosition(1) + 10, header->height() / 2));
        QVERIFY(noneEnabled());
        QVERIFY(!window_->listModel()->headingChecked());
    }

    void theFolderTreeShowsTheCurrentFolder() {
        // The tree loads and sorts its folders in the background; once it
        // has settled the current folder is selected and in view.
        window_->show();
        auto* tree = window_->findChild<QTreeView*>("lstdirectorio");
        const QString folder = QDir(files_->path()).canonicalPath();
        auto current = [tree] {
            return tree->currentIndex().data(QFileSystemModel::FilePathRole).toString();
        };
        QTRY_COMPARE(current(), folder);
        QTest::qWait(500);
        QTRY_VERIFY(tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())));
    }

    void anUnreadableDriveShowsMessage132AndGoesBack() {
        QComboBox* drives = window_->browser()->driveList();
        const QString folder = window_->currentFolder();
        drives->addItem("/nonexistent-volume", "/nonexistent-volume");
        window_->browser()->chooseDrive(drives->count() - 1);
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::DriveUnreadable));
        QCOMPARE(dialogs_->shown[0].title, app_->title());
        QCOMPARE(window_->currentFolder(), folder);
        QVERIFY(drives->currentIndex() != drives->count() - 1);
    }

    void cancelOnClosingKeepsEverything() {
        window_->show();
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

    void choosingALanguageTakesItAtOnceAndRecordsIt() {
        QMenu* menu = window_->languageMenu();
        const auto& names = app_->languages().languageNames;
        QVERIFY(names.size() >= 2);
        // Languages, a separator and the editor's entry.
        QCOMPARE(menu->actions().size(), int(names.size()) + 2);
        QVERIFY(menu->actions()[int(names.size())]->isSeparator());
        QCOMPARE(menu->actions().last()->text(), app_->msg(Msg::EditLanguages));

        int current = -1, other = -1;
        for (int i = 0; i < int(names.size()); ++i) {
            if (app_->languages().isCurrent(std::size_t(i)))
                current = i;
            else if (other < 0)
                other = i;
        }
        QVERIFY(current >= 0 && other >= 0);
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
        QVERIFY(dialogs_->shown.isEmpty());
        QCOMPARE(QString::fromStdString(
                     GetMessage(program_->languageFile().toStdString(), "idioma", "idioma")),
                 QString::fromStdString(names[other]));
        QCOMPARE(app_->currentLanguage(), names[other]);
        QVERIFY(!menu->actions()[current]->isChecked());
        QVERIFY(menu->actions()[other]->isChecked());
        // (Every caption in the new language: laptop_test.)
        QVERIFY(window_->extractPanel()->title() != extractBefore);
        QCOMPARE(window_->listModel()->entryCount(), std::size_t(1));
        // The language now current does nothing more.
        menu->actions()[other]->trigger();
        QVERIFY(dialogs_->shown.isEmpty());

        // A language gone from the file: message 14, the file unchanged.
        QByteArray bytes = program_->languageBytes();
        const QByteArray header = "[" + QByteArray::fromStdString(names[current]) + "]";
        bytes.replace(header, "[Gone]");
        {
            QFile f(program_->languageFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        window_->chooseLanguageItem(current);
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(dialogs_->shown[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(dialogs_->shown[0].text, app_->msg(Msg::LanguageNotInFile));
        QCOMPARE(program_->languageBytes(), bytes);

        // The editor's entry asks for the editor.
        QSignalSpy editor(window_.get(), &MainWindow::languageEditorRequested);
        window_->chooseLanguageItem(int(names.size()) + 1);
        QCOMPARE(editor.count(), 1);
    }

    void moreThanEightLanguagesAreAllListed() {
        QByteArray bytes = program_->languageBytes();
        for (int i = 0; i < 9; ++i)
            bytes += "\r\n[Extra" + QByteArray::number(i) + "]\r\n1=Zerlant\r\n";
        {
            QFile f(program_->languageFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        AppContext app(program_->folder());
        MainWindow window(app, *dialogs_, files_->path());
        QCOMPARE(window.languageMenu()->actions().size(),
                 int(app.languages().languageNames.size()) + 2);
        QVERIFY(app.languages().languageNames.size() > 8);
    }

  private:
    std::unique_ptr<ProgramFolder> program_;
    std::unique_ptr<QTemporaryDir> files_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
