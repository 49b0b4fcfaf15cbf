#pragma once
// The main window: a menu bar (File, Tools, Language, Help) and a toolbar of
// six tools, the language menu and the about box; the file browser and the
// working file list; below them the panel of the current tool.  Showing a
// panel resets the working list for it.  With a settings file the window
// remembers its folder, filters, ticked export boxes, size and tool.

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <map>
#include <memory>

#include "core/filelist/workinglist.hpp"
#include "core/language/languagefile.hpp"
#include "gui/mainwindow/toolpanel.hpp"

class QAction;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QToolBar;
class QTranslator;

namespace zerlant::gui {

class AimPanel;
class AppContext;
class BackgroundRun;
class BcfPanel;
class Dialogs;
class ExtractPanel;
class FileBrowser;
class FileListModel;
class ReadingPanel;
class RenamePanel;
class ResultsDock;
class ResultsView;
class ScanPanel;
class SubstitutePanel;
class WorkingListView;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // startFolder: the folder the browser shows first (the program's folder
    // when empty or unreadable).
    // The window switches `app` to another language when the user picks one.
    MainWindow(AppContext& app, Dialogs& dialogs, const QString& startFolder = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    Panel currentPanel() const { return current_; }
    ToolPanel* panel(Panel p) const;
    ExtractPanel* extractPanel() const { return extract_; }
    ScanPanel* scanPanel() const { return scan_; }
    AimPanel* aimPanel() const { return aim_; }
    RenamePanel* renamePanel() const { return rename_; }
    SubstitutePanel* substitutePanel() const { return substitute_; }
    BcfPanel* bcfPanel() const { return bcf_; }
    FileBrowser* browser() const { return browser_; }
    FileListModel* listModel() const { return list_; }
    WorkingListView* listView() const { return view_; }
    QToolBar* toolbar() const { return toolbar_; }
    QMenu* languageMenu() const { return languageMenu_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* toolsMenu() const { return toolsMenu_; }
    QMenu* helpMenu() const { return helpMenu_; }
    // View: brings back the results, the tool panel and the toolbar.
    QMenu* viewMenu() const { return viewMenu_; }
    // The filter a tool starts with when nothing was remembered.
    static QString defaultFilter(Panel panel);
    // The filter the browser takes when the tool is shown.
    QString filterFor(Panel panel) const;
    BackgroundRun* runner() const { return runner_; }
    // The results page in front (the Extract page before any run).
    ResultsView* resultsView() const;
    ResultsDock* resultsDock() const { return resultsDock_; }
    QAction* thermoAction() const { return thermoAction_; }

    // The folder the browser shows.
    QString currentFolder() const;

  public slots:
    // The toolbar's buttons by key ("Extraer", "Scan", "Renombrar",
    // "Sustituir", "Crearbcf", "Aim", "Idiomas", "Acercade"); other keys do
    // nothing.
    void toolbarClicked(const QString& key);
    void showPanel(Panel panel);
    // Pops the language menu up under its toolbar button.
    void showLanguageMenu();
    // Item i (0-based) of the language menu: a language, the separator or
    // the language editor's entry.
    void chooseLanguageItem(int index);
    void showAbout();
    // F1: the manual in the current language.
    void showManual();
    // Opens the language editor, or brings it to the front.
    void openLanguageEditor();
    // Disables the six export buttons: the results no longer belong to the
    // list, folder or pattern shown.
    void desactivarexportacion();
    // File > Open folder: a folder chooser, then the browser shows it.
    void openFolder();
    // File > Export text / spreadsheet: the current reading tool's export.
    void exportText();
    void exportSheet();
    // Makes language `name` current at once: every caption of the window
    // is read again from the language file.
    void switchLanguage(const QString& name);
    // Writes the settings now (closing the window does it too).
    void saveSettings() const;
    // Tools > Thermochemistry: reads the ticked files of the list on a worker
    // thread and shows their thermochemistry in the results view.
    void runThermo();
    // Tools > Next job: a preview of the next job of each ticked output;
    // the new inputs are written when the user accepts (jobtools.cpp).
    void nextJob();
    // Tools > Sort jobs by health: a preview of the moves, carried out when
    // the user accepts and recorded for the Rename panel's Undo.
    void sortJobs();

  signals:
    // The language menu's last entry: open the language editor.
    void languageEditorRequested();
    // The results view has been given a thermochemistry run.
    void thermoShown();
    // Every caption has been read again in another language.
    void languageSwitched();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildToolbar();
    void buildMenus();
    void buildLanguageMenu();
    void buildViewMenu();
    void updateMenus();
    void loadSettings(const QString& startFolder);
    // Qt's own dialogs (file chooser, message box buttons) in the language
    // of the window.
    void useQtTranslations();
    // A saved geometry is taken only as far as it fits the screen.
    void restoreFittingGeometry(const QByteArray& geometry);
    void giveMnemonics();
    ReadingPanel* currentReadingPanel() const;
    std::array<ReadingPanel*, 3> readingPanels() const;

    AppContext& app_;
    Dialogs& dialogs_;
    Panel current_ = Panel::Extract;
    QToolBar* toolbar_ = nullptr;
    QAction* languageAction_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QAction* toolPanelAction_ = nullptr;
    QAction* toolbarAction_ = nullptr;
    QAction* manualAction_ = nullptr;
    QScrollArea* panelArea_ = nullptr;
    QTranslator* qtTranslator_ = nullptr;
    QPointer<QWidget> manual_;
    QAction* exportTextAction_ = nullptr;
    QAction* exportSheetAction_ = nullptr;
    QAction* thermoAction_ = nullptr;
    ResultsDock* resultsDock_ = nullptr;
    // The filter of each tool, as the user left it.
    std::map<Panel, QString> filters_;
    // Set while a panel is being shown: its filter does not count as the
    // user's change.
    bool showingPanel_ = false;
    FileBrowser* browser_ = nullptr;
    FileListModel* list_ = nullptr;
    WorkingListView* view_ = nullptr;
    QStackedWidget* panels_ = nullptr;
    BackgroundRun* runner_ = nullptr;
    std::unique_ptr<PanelContext> context_;
    ExtractPanel* extract_ = nullptr;
    ScanPanel* scan_ = nullptr;
    RenamePanel* rename_ = nullptr;
    SubstitutePanel* substitute_ = nullptr;
    BcfPanel* bcf_ = nullptr;
    AimPanel* aim_ = nullptr;
    QPointer<QWidget> languageEditor_;
    // The languages of the menu: those read at start-up, and any the
    // language editor has saved since.
    LanguageState languages_;
};

}  // namespace zerlant::gui
