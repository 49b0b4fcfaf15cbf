#include "gui/mainwindow/mainwindow.hpp"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/language/languagefile.hpp"
#include "gui/app/aboutbox.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"
#include "gui/app/manualwindow.hpp"
#include "gui/app/screenfit.hpp"
#include "gui/language/languageeditor.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/backgroundrun.hpp"
#include "gui/mainwindow/bcfpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/filebrowser.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/renamepanel.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/mainwindow/substitutepanel.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "gui/molecule/moleculedock.hpp"
#include "gui/results/resultsdock.hpp"
#include "gui/results/resultsview.hpp"

namespace zerlant::gui {

namespace {

struct ToolButton {
    const char* key;
    Msg message;  // Msg{}: the fixed text "AIM"
    Picture picture;
};

constexpr ToolButton kTools[] = {
    {"Extraer", Msg::ToolExtract, Picture::Extract},
    {"Scan", Msg::ToolScan, Picture::Scan},
    {"Renombrar", Msg::ToolRename, Picture::Rename},
    {"Sustituir", Msg::ToolSubstitute, Picture::Substitute},
    {"Crearbcf", Msg::ToolBatch, Picture::Batch},
    {"Aim", Msg{}, Picture::Extract},
};

// Keys of the settings file, one group per tool.
constexpr const char* kPanelKeys[] = {"extract", "scan", "rename", "substitute", "batch", "aim"};

QString panelKey(Panel p) {
    return QString::fromLatin1(kPanelKeys[static_cast<int>(p)]);
}

}  // namespace

MainWindow::MainWindow(AppContext& app, Dialogs& dialogs, const QString& startFolder,
                       QWidget* parent)
    : QMainWindow(parent), app_(app), dialogs_(dialogs) {
    setObjectName("FRMMain");
    setWindowTitle(app.title());
    setWindowIcon(picture(Picture::AppIcon));

    runner_ = new BackgroundRun(this);
    list_ = new FileListModel(this);
    browser_ = new FileBrowser(app, dialogs, this);
    context_ = std::make_unique<PanelContext>(
        PanelContext{app, dialogs, *list_, *runner_, this, [this] { return currentFolder(); },
                     [this](const QString& text) { statusBar()->showMessage(text); }});
    // No save dialog may choose a file of the working list or of the run shown.
    dialogs.setOutputGuard(
        [this] {
            std::vector<std::string> files;
            for (std::size_t e = 1; e <= list_->entryCount(); ++e)
                files.push_back(list_->path(e).toStdString());
            return files;
        },
        [this] { return app_.msg(Msg::NeverReplaceInput); });

    buildToolbar();

    view_ = new WorkingListView(this);
    view_->setFileModel(list_);

    panels_ = new QStackedWidget(this);
    panels_->setObjectName("panels");
    extract_ = new ExtractPanel(*context_);
    scan_ = new ScanPanel(*context_);
    rename_ = new RenamePanel(*context_);
    substitute_ = new SubstitutePanel(*context_);
    bcf_ = new BcfPanel(*context_);
    aim_ = new AimPanel(*context_);
    for (ToolPanel* p : {static_cast<ToolPanel*>(extract_), static_cast<ToolPanel*>(scan_),
                         static_cast<ToolPanel*>(rename_), static_cast<ToolPanel*>(substitute_),
                         static_cast<ToolPanel*>(bcf_), static_cast<ToolPanel*>(aim_)}) {
        panels_->addWidget(p);
    }

    // Browser and list above (the user may move the divider), the tool's
    // panel below, as high as it needs.
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("mainSplitter");
    splitter->addWidget(browser_);
    splitter->addWidget(view_);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    // The panel scrolls when the window is narrower or lower than it, so
    // that the results beside it can take most of a laptop's width.
    panelArea_ = new QScrollArea(this);
    panelArea_->setObjectName("panelArea");
    panelArea_->setWidget(panels_);
    panelArea_->setWidgetResizable(true);
    panelArea_->setFrameShape(QFrame::NoFrame);
    panelArea_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter, 1);
    layout->addWidget(panelArea_, 0);
    setCentralWidget(central);
    statusBar()->setObjectName("statusBar");

    // Every change of the list, the folder or the pattern makes the results
    // of the last run unexportable.
    connect(list_, &FileListModel::userEdited, this, &MainWindow::desactivarexportacion);
    connect(view_, &WorkingListView::clickedInList, this, &MainWindow::desactivarexportacion);
    connect(view_->checkHeader(), &CheckHeader::switchAllRequested, list_,
            &FileListModel::switchAll);
    connect(view_, &WorkingListView::filesDropped, list_, &FileListModel::addPaths);
    connect(browser_, &FileBrowser::addRequested, list_, &FileListModel::add);
    connect(browser_, &FileBrowser::deleteCheckedRequested, list_, &FileListModel::removeChecked);
    connect(browser_, &FileBrowser::deleteAllRequested, list_, &FileListModel::removeAll);
    connect(browser_, &FileBrowser::folderChanged, this, &MainWindow::desactivarexportacion);
    connect(browser_, &FileBrowser::patternChanged, this, [this](const QString& pattern) {
        if (showingPanel_)
            return;
        filters_[current_] = pattern;
        desactivarexportacion();
    });
    connect(view_, &WorkingListView::removeSelectedRequested, list_, &FileListModel::removeEntries);

    // The window stays responsive during a run but takes no other work.
    connect(runner_, &BackgroundRun::finished, this, [this] {
        centralWidget()->setEnabled(true);
        toolbar_->setEnabled(true);
    });
    for (ReadingPanel* p : readingPanels()) {
        connect(p->runButton(), &QPushButton::clicked, this, [this] {
            if (runner_->running()) {
                centralWidget()->setEnabled(false);
                toolbar_->setEnabled(false);
                menuBar()->setEnabled(false);
            }
        });
    }
    connect(runner_, &BackgroundRun::finished, this, [this] { menuBar()->setEnabled(true); });

    languages_ = app.languages();
    buildLanguageMenu();
    buildMenus();
    connect(this, &MainWindow::languageEditorRequested, this, &MainWindow::openLanguageEditor);
    resize(940, 760);
    resultsDock_ = attachResultsDock(*this, app, dialogs);
    buildViewMenu();
    attachMoleculeDock(*this, app, dialogs);
    useQtTranslations();
    loadSettings(startFolder);
    desactivarexportacion();
    giveMnemonics();
}

QString MainWindow::defaultFilter(Panel panel) {
    switch (panel) {
        case Panel::Extract:
        case Panel::Scan:
            return QStringLiteral("*.out *.log");
        case Panel::Aim:
            return QStringLiteral("*.sum");
        case Panel::Rename:
        case Panel::Substitute:
        case Panel::Batch:
            break;
    }
    return QStringLiteral("*.gjf *.com");
}

QString MainWindow::filterFor(Panel panel) const {
    const auto found = filters_.find(panel);
    return found != filters_.end() && !found->second.isEmpty() ? found->second
                                                               : defaultFilter(panel);
}

void MainWindow::loadSettings(const QString& startFolder) {
    const QString file = app_.settingsFile();
    Panel tool = Panel::Extract;
    QString folder = startFolder;
    if (!file.isEmpty()) {
        QSettings settings(file, QSettings::IniFormat);
        for (int i = 0; i < 6; ++i) {
            const Panel p = static_cast<Panel>(i);
            settings.beginGroup(panelKey(p));
            const QString filter = settings.value("filter").toString().simplified();
            if (!filter.isEmpty())
                filters_[p] = filter;
            // The export boxes of a reading tool: those named are ticked.
            if (auto* reading = qobject_cast<ReadingPanel*>(panel(p));
                reading != nullptr && settings.contains("ticked")) {
                const QStringList ticked = settings.value("ticked").toStringList();
                for (QCheckBox* box : reading->findChildren<QCheckBox*>())
                    box->setChecked(ticked.contains(box->objectName()));
            }
            settings.endGroup();
        }
        browser_->setRecentFolders(settings.value("browser/recent").toStringList());
        if (folder.isEmpty())
            folder = settings.value("browser/folder").toString();
        const int saved = settings.value("window/tool", 0).toInt();
        if (saved >= 0 && saved < 6)
            tool = static_cast<Panel>(saved);
        const QByteArray geometry = settings.value("window/geometry").toByteArray();
        if (!geometry.isEmpty())
            restoreFittingGeometry(geometry);
    }
    // The browser starts on the given folder (else the last one, else the
    // program's own).
    showingPanel_ = true;
    browser_->setPattern(filterFor(tool));
    showingPanel_ = false;
    if (folder.isEmpty() || !browser_->setCurrentFolder(folder))
        browser_->setCurrentFolder(QString::fromStdString(app_.programFolder()));
    showPanel(tool);
}

void MainWindow::saveSettings() const {
    const QString file = app_.settingsFile();
    if (file.isEmpty())
        return;
    QSettings settings(file, QSettings::IniFormat);
    for (int i = 0; i < 6; ++i) {
        const Panel p = static_cast<Panel>(i);
        settings.beginGroup(panelKey(p));
        settings.setValue("filter", filterFor(p));
        if (auto* reading = qobject_cast<ReadingPanel*>(panel(p))) {
            QStringList ticked;
            for (QCheckBox* box : reading->findChildren<QCheckBox*>())
                if (box->isChecked())
                    ticked << box->objectName();
            settings.setValue("ticked", ticked);
        }
        settings.endGroup();
    }
    settings.setValue("browser/folder", currentFolder());
    settings.setValue("browser/recent", browser_->recentFolders());
    settings.setValue("window/tool", static_cast<int>(current_));
    settings.setValue("window/geometry", saveGeometry());
    settings.sync();
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");

    fileMenu_ = bar->addMenu(app_.msg(Msg::MenuFile));
    fileMenu_->setObjectName("mnuFile");
    QAction* open =
        fileMenu_->addAction(app_.msg(Msg::MenuOpenFolder), this, &MainWindow::openFolder);
    open->setObjectName("actOpenFolder");
    open->setShortcut(QKeySequence::Open);
    fileMenu_->addSeparator();
    exportTextAction_ =
        fileMenu_->addAction(app_.msg(Msg::MenuExportText), this, &MainWindow::exportText);
    exportTextAction_->setObjectName("actExportText");
    exportSheetAction_ =
        fileMenu_->addAction(app_.msg(Msg::MenuExportSheet), this, &MainWindow::exportSheet);
    exportSheetAction_->setObjectName("actExportSheet");
    fileMenu_->addSeparator();
    QAction* quit = fileMenu_->addAction(app_.msg(Msg::MenuQuit), this, &QWidget::close);
    quit->setObjectName("actQuit");
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    connect(fileMenu_, &QMenu::aboutToShow, this, &MainWindow::updateMenus);

    // The tools are the toolbar's own actions, with Ctrl+1 ... Ctrl+6.
    toolsMenu_ = bar->addMenu(app_.msg(Msg::MenuTools));
    toolsMenu_->setObjectName("mnuTools");
    int number = 1;
    for (const ToolButton& t : kTools) {
        QAction* action = toolbar_->findChild<QAction*>(QString::fromLatin1(t.key));
        if (action == nullptr)
            continue;
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + number++)));
        toolsMenu_->addAction(action);
    }

    toolsMenu_->addSeparator();
    thermoAction_ = toolsMenu_->addAction(app_.msg(Msg::MenuThermo), this, &MainWindow::runThermo);
    thermoAction_->setObjectName("actThermo");
    thermoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    toolsMenu_->addAction(app_.msg(Msg::MenuNextJob), this, &MainWindow::nextJob)
        ->setObjectName("actNextJob");
    toolsMenu_->addAction(app_.msg(Msg::MenuSortJobs), this, &MainWindow::sortJobs)
        ->setObjectName("actSortJobs");

    languageMenu_->setTitle(app_.msg(Msg::MenuLanguage));
    bar->addMenu(languageMenu_);

    helpMenu_ = bar->addMenu(app_.msg(Msg::MenuHelp));
    helpMenu_->setObjectName("mnuHelp");
    manualAction_ = helpMenu_->addAction(app_.msg(Msg::ManualMenu), this, &MainWindow::showManual);
    manualAction_->setObjectName("actManual");
    manualAction_->setShortcut(QKeySequence::HelpContents);
    QAction* about = helpMenu_->addAction(app_.msg(Msg::MenuAbout), this, &MainWindow::showAbout);
    about->setObjectName("actAbout");
    updateMenus();
}

void MainWindow::updateMenus() {
    ReadingPanel* reading = currentReadingPanel();
    const bool canExport = reading != nullptr && reading->exportEnabled();
    exportTextAction_->setEnabled(canExport);
    exportSheetAction_->setEnabled(canExport);
}

ReadingPanel* MainWindow::currentReadingPanel() const {
    return qobject_cast<ReadingPanel*>(panel(current_));
}

void MainWindow::giveMnemonics() {
    // Alt with a menu's letter opens the menu: the buttons keep off those.
    QSet<QChar> menuLetters;
    for (QAction* menu : menuBar()->actions()) {
        const QString text = menu->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size())
            menuLetters.insert(text.at(amp + 1).toLower());
    }
    // The browser's buttons are always there; each panel is shown alone.
    assignMnemonics(browser_, menuLetters);
    QSet<QChar> taken = menuLetters;
    for (QAbstractButton* b : browser_->findChildren<QAbstractButton*>()) {
        const QString text = b->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size())
            taken.insert(text.at(amp + 1).toLower());
    }
    for (int i = 0; i < panels_->count(); ++i) assignMnemonics(panels_->widget(i), taken);
}

void MainWindow::openFolder() {
    const QString chosen = dialogs_.existingFolder(
        this, withoutMnemonic(app_.msg(Msg::ChooseFolder)), currentFolder());
    if (chosen.isEmpty())
        return;
    if (!browser_->setCurrentFolder(chosen))
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::FolderUnreadable));
}

void MainWindow::runThermo() {
    if (runner_->running())
        return;
    const FileRows rows = list_->list().rows();
    int ticked = 0;
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (rows[r].checked)
            ++ticked;
    if (ticked == 0) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::ThermoNothingTicked));
        return;
    }
    auto files = std::make_shared<std::optional<std::vector<ThermoFile>>>();
    const bool started = runner_->start(
        app_.msg(Msg::Thermochemistry), ticked,
        [rows, files](const ProgressCallback& progress) {
            *files = readThermoFiles(rows, progress);
        },
        [this, files, rows](bool cancelled) {
            if (cancelled || !*files)
                return;
            std::vector<std::string> paths;
            for (std::size_t r = 1; r < rows.size(); ++r) paths.push_back(rows[r].path);
            dialogs_.setRunFiles(std::move(paths));
            resultsDock_->view(ResultsDock::Page::Thermo)->showThermo(std::move(**files));
            emit thermoShown();
        });
    if (!started)
        return;
    if (QProgressDialog* progress = runner_->dialog())
        progress->setCancelButtonText(app_.msg(Msg::Cancel));
    if (runner_->running()) {
        centralWidget()->setEnabled(false);
        toolbar_->setEnabled(false);
        menuBar()->setEnabled(false);
    }
}

void MainWindow::exportText() {
    ReadingPanel* reading = currentReadingPanel();
    if (reading != nullptr && reading->exportEnabled())
        reading->exportText();
}

void MainWindow::exportSheet() {
    ReadingPanel* reading = currentReadingPanel();
    if (reading != nullptr && reading->exportEnabled())
        reading->exportSheet();
}

void MainWindow::switchLanguage(const QString& name) {
    const MessageLookup before = app_.lookup();
    app_.setCurrentLanguage(name.toStdString());
    languages_.currentLanguage = name.toStdString();
    const MessageLookup after = app_.lookup();
    retranslateCaptions(this, before, after);
    setWindowTitle(app_.title());
    browser_->retranslate();
    // The list's headings, without emptying the list.
    const PanelHeadings headings = panelHeadings(current_, app_.liveLookup());
    list_->setHeadings(QString::fromStdString(headings.heading1),
                       QString::fromStdString(headings.heading2));
    buildLanguageMenu();
    // Menus that are not in the menu bar's tree of widgets.
    retranslateCaptions(languageMenu_, before, after);
    toolPanelAction_->setText(app_.msg(Msg::ViewToolPanel));
    toolbar_->setWindowTitle(app_.msg(Msg::ViewToolbar));
    toolbarAction_->setText(app_.msg(Msg::ViewToolbar));
    // The results: titles of the tables read, then every page shown again.
    const auto titles = captionTranslator(before, after);
    for (ReadingPanel* p : readingPanels()) p->retranslateTitles(titles);
    resultsDock_->retranslate(titles);
    resultsDock_->toggleViewAction()->setText(app_.msg(Msg::Results));
    useQtTranslations();
    if (auto* manual = qobject_cast<ManualWindow*>(manual_.data()))
        manual->retranslate();
    if (auto* editor = qobject_cast<LanguageEditor*>(languageEditor_.data()))
        retranslateCaptions(editor, before, after);
    emit languageSwitched();
    giveMnemonics();
}

ResultsView* MainWindow::resultsView() const {
    return resultsDock_->currentView();
}

void MainWindow::buildViewMenu() {
    viewMenu_ = new QMenu(app_.msg(Msg::ViewMenu), this);
    viewMenu_->setObjectName("mnuView");
    menuBar()->insertMenu(languageMenu_->menuAction(), viewMenu_);
    QAction* results = resultsDock_->toggleViewAction();
    results->setObjectName("actViewResults");
    results->setText(app_.msg(Msg::Results));
    viewMenu_->addAction(results);
    toolPanelAction_ = viewMenu_->addAction(app_.msg(Msg::ViewToolPanel));
    toolPanelAction_->setObjectName("actViewToolPanel");
    toolPanelAction_->setCheckable(true);
    toolPanelAction_->setChecked(true);
    connect(toolPanelAction_, &QAction::toggled, panelArea_, &QWidget::setVisible);
    toolbarAction_ = toolbar_->toggleViewAction();
    toolbarAction_->setObjectName("actViewToolbar");
    toolbarAction_->setText(app_.msg(Msg::ViewToolbar));
    viewMenu_->addAction(toolbarAction_);
    // The right-click menu of the toolbar offers the same panes by name.
    toolbar_->setWindowTitle(app_.msg(Msg::ViewToolbar));
}

void MainWindow::useQtTranslations() {
    const QString code = app_.msg(Msg::LocaleCode).trimmed();
    if (qtTranslator_ != nullptr) {
        QCoreApplication::removeTranslator(qtTranslator_);
        delete qtTranslator_;
        qtTranslator_ = nullptr;
    }
    if (code.isEmpty() || code == QLatin1String("en"))
        return;
    auto* translator = new QTranslator(this);
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    qtTranslator_ = translator;
}

void MainWindow::restoreFittingGeometry(const QByteArray& geometry) {
    restoreGeometry(geometry);
    // Saved on a larger screen: as large as it was where that fits.
    fitOnScreen(this, false);
}

void MainWindow::showManual() {
    if (manual_ != nullptr) {
        manual_->show();
        manual_->raise();
        manual_->activateWindow();
        return;
    }
    const QString page = manualPage(app_);
    if (page.isEmpty()) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::ManualMissing)
                             .arg(QDir::toNativeSeparators(manualFolders(app_, "en").value(1))));
        return;
    }
    auto* manual = new ManualWindow(app_, page, this);
    manual->setAttribute(Qt::WA_DeleteOnClose);
    manual_ = manual;
    manual->show();
}

MainWindow::~MainWindow() {
    runner_->cancel();
    runner_->wait();
}

void MainWindow::buildToolbar() {
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName("TBmain");
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar_->setIconSize(QSize(32, 32));
    addToolBar(Qt::TopToolBarArea, toolbar_);
    // The six tools show which one is current.
    auto* tools = new QActionGroup(toolbar_);
    tools->setExclusive(true);
    for (const ToolButton& t : kTools) {
        const QString text = t.message == Msg{} ? QStringLiteral("AIM") : app_.msg(t.message);
        QAction* action = toolbar_->addAction(picture(t.picture), text);
        action->setObjectName(QString::fromLatin1(t.key));
        action->setCheckable(true);
        tools->addAction(action);
        const QString key = QString::fromLatin1(t.key);
        connect(action, &QAction::triggered, this, [this, key] { toolbarClicked(key); });
    }
    toolbar_->addSeparator();
    languageAction_ =
        toolbar_->addAction(picture(Picture::Languages), app_.msg(Msg::LanguageCaption));
    languageAction_->setObjectName("Idiomas");
    connect(languageAction_, &QAction::triggered, this, [this] { toolbarClicked("Idiomas"); });
    QAction* about = toolbar_->addAction(picture(Picture::About), app_.msg(Msg::About));
    about->setObjectName("Acercade");
    connect(about, &QAction::triggered, this, [this] { toolbarClicked("Acercade"); });
}

void MainWindow::buildLanguageMenu() {
    if (languageMenu_ == nullptr) {
        languageMenu_ = new QMenu(this);
        languageMenu_->setObjectName("mnuIdioma");
    }
    languageMenu_->clear();
    const LanguageState& state = languages_;
    int index = 0;
    for (std::size_t i = 0; i < state.languageNames.size(); ++i, ++index) {
        QAction* item = languageMenu_->addAction(QString::fromStdString(state.languageNames[i]));
        item->setCheckable(true);
        item->setChecked(state.isCurrent(i));
        item->setObjectName(QStringLiteral("mnuidiomas%1").arg(index + 1));
        connect(item, &QAction::triggered, this, [this, index] { chooseLanguageItem(index); });
    }
    QAction* separator = languageMenu_->addSeparator();
    separator->setObjectName(QStringLiteral("mnuidiomas%1").arg(index + 1));
    ++index;
    QAction* editor = languageMenu_->addAction(app_.msg(Msg::EditLanguages));
    editor->setObjectName(QStringLiteral("mnuidiomas%1").arg(index + 1));
    connect(editor, &QAction::triggered, this, [this, index] { chooseLanguageItem(index); });
}

std::array<ReadingPanel*, 3> MainWindow::readingPanels() const {
    return {extract_, scan_, aim_};
}

ToolPanel* MainWindow::panel(Panel p) const {
    switch (p) {
        case Panel::Extract:
            return extract_;
        case Panel::Scan:
            return scan_;
        case Panel::Rename:
            return rename_;
        case Panel::Substitute:
            return substitute_;
        case Panel::Batch:
            return bcf_;
        case Panel::Aim:
            return aim_;
    }
    return extract_;
}

QString MainWindow::currentFolder() const {
    return browser_->currentFolder();
}

void MainWindow::toolbarClicked(const QString& key) {
    if (key == "Extraer") {
        showPanel(Panel::Extract);
    } else if (key == "Scan") {
        showPanel(Panel::Scan);
    } else if (key == "Renombrar") {
        showPanel(Panel::Rename);
    } else if (key == "Sustituir") {
        showPanel(Panel::Substitute);
    } else if (key == "Crearbcf") {
        showPanel(Panel::Batch);
    } else if (key == "Aim") {
        showPanel(Panel::Aim);
    } else if (key == "Idiomas") {
        showLanguageMenu();
    } else if (key == "Acercade") {
        showAbout();
    }
}

void MainWindow::showPanel(Panel p) {
    current_ = p;
    const char* keys[] = {"Extraer", "Scan", "Renombrar", "Sustituir", "Crearbcf", "Aim"};
    if (auto* action = toolbar_->findChild<QAction*>(keys[static_cast<int>(p)]))
        action->setChecked(true);
    ToolPanel* shown = panel(p);
    // Only the visible panel counts for the size of the panel area.
    for (int i = 0; i < panels_->count(); ++i) {
        QWidget* page = panels_->widget(i);
        if (page == shown)
            page->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        else
            page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    panels_->setCurrentWidget(shown);
    panels_->updateGeometry();
    // The panel keeps its height; it scrolls sideways in a narrow window.
    panelArea_->setMinimumHeight(shown->sizeHint().height() +
                                 panelArea_->horizontalScrollBar()->sizeHint().height() + 2);
    // Each tool has its own filter; taking it is not the user's change.
    showingPanel_ = true;
    browser_->setPattern(filterFor(p));
    showingPanel_ = false;
    shown->panelShown();
    const PanelListLayout layout = panelListLayout(p);
    const PanelHeadings headings = panelHeadings(p, app_.liveLookup());
    list_->reset(layout.columns, QString::fromStdString(headings.heading1),
                 QString::fromStdString(headings.heading2));
}

void MainWindow::showLanguageMenu() {
    QWidget* button = toolbar_->widgetForAction(languageAction_);
    const QPoint at =
        button != nullptr ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos();
    languageMenu_->popup(at);
}

void MainWindow::chooseLanguageItem(int index) {
    const LanguageState& state = languages_;
    const int count = static_cast<int>(state.languageNames.size());
    if (index < 0)
        return;
    if (index < count) {
        // Triggering an item flips its mark; the mark stays on the current
        // language until the choice has been recorded.
        const bool current = state.isCurrent(static_cast<std::size_t>(index));
        const QList<QAction*> items = languageMenu_->actions();
        if (index < items.size())
            items[index]->setChecked(current);
        if (current)
            return;
        const auto recorded = SelectLanguage(state.filePath, state.languageNames[index]);
        if (!recorded) {
            dialogs_.message(this, Dialogs::Icon::Critical, app_.msg(Msg::LanguageCaption),
                             QString::fromStdString(recorded.error().describe()));
        } else if (recorded.value()) {
            // Recorded for the next start, and taken at once.
            switchLanguage(QString::fromStdString(state.languageNames[index]));
        } else {
            dialogs_.message(this, Dialogs::Icon::Critical, app_.msg(Msg::LanguageCaption),
                             app_.msg(Msg::LanguageNotInFile));
        }
        return;
    }
    if (index == count + 1)
        emit languageEditorRequested();
}

void MainWindow::openLanguageEditor() {
    if (languageEditor_ != nullptr) {
        languageEditor_->show();
        languageEditor_->raise();
        languageEditor_->activateWindow();
        return;
    }
    // A window of its own (no parent): while it is open the program keeps
    // running after the main window has closed.
    auto* editor = new LanguageEditor(app_, languages_, dialogs_);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    // A language added in the editor is listed in the menu at once.
    connect(editor, &LanguageEditor::languagesSaved, this, [this](const LanguageState& saved) {
        languages_ = saved;
        buildLanguageMenu();
    });
    languageEditor_ = editor;
    editor->show();
}

void MainWindow::showAbout() {
    AboutBox about(app_, dialogs_, this);
    about.exec();
}

void MainWindow::desactivarexportacion() {
    for (ReadingPanel* p : readingPanels()) p->setExportEnabled(false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!dialogs_.confirm(this, app_.msg(Msg::CloseTitle), app_.msg(Msg::CloseQuestion))) {
        event->ignore();
        return;
    }
    runner_->cancel();
    runner_->wait();
    saveSettings();
    event->accept();
}

}  // namespace zerlant::gui
