#pragma once
// The file browser above the working list: an editable path bar (with
// completion, the home folder and the recent folders), mounted volumes, the
// folder tree of the chosen volume, the file patterns (several at once,
// separated by spaces), the files of the current folder that match them
// (several selectable at once) and the five list buttons.

#include <QStringList>
#include <QWidget>

class QComboBox;
class QFileSystemWatcher;
class QTimer;
class QToolButton;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

namespace zerlant::gui {

class AppContext;
class Dialogs;

class FileBrowser : public QWidget {
    Q_OBJECT
  public:
    FileBrowser(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);

    // The patterns offered in the filter box, in order.
    static QStringList patterns();
    // The single patterns of a filter text ("*.out *.log"; spaces, commas or
    // semicolons between them); "*.*" stands for every file.
    static QStringList splitPatterns(const QString& filter);

    QString currentFolder() const { return folder_; }
    QString currentPattern() const;
    // Any filter text, as if typed into the filter box.
    void setPattern(const QString& filter);
    // Shows a folder (and selects its volume); false when it is not a
    // readable folder.
    bool setCurrentFolder(const QString& folder);
    void setPatternIndex(int index);

    // Files of the list, in list order, and the selected ones.
    QStringList files() const;
    QStringList selectedFiles() const;
    void selectAll();
    void selectNone();
    void selectFiles(const QStringList& names);
    // Re-reads the current folder.
    void refresh();
    // Re-reads the current folder keeping the selection: the folder's
    // content changed on disk (new outputs of a running job, a rename).
    void followFolder();

    // The path bar: typing a folder there and pressing Return goes to it.
    QComboBox* pathBar() const { return path_; }
    QToolButton* homeButton() const { return home_; }
    // Goes to the folder typed in the path bar; FolderUnreadable when it is not a
    // readable folder.
    void goToTypedFolder();
    // The folders shown lately, the current one first (at most kRecent).
    QStringList recentFolders() const { return recent_; }
    void setRecentFolders(const QStringList& folders);
    static constexpr int kRecent = 10;

    // Re-reads the captions from the language file.
    void retranslate();

    // Chooses volume number i of the drive list, as the user would.
    void chooseDrive(int index);
    QComboBox* driveList() const { return drives_; }

  signals:
    void folderChanged(const QString& folder);
    void patternChanged(const QString& pattern);
    // BTadd or a double click in the file list: the selected files.
    void addRequested(const QString& folder, const QStringList& names);
    void deleteCheckedRequested();
    void deleteAllRequested();

  private:
    void fillDrives();
    int driveIndexOf(const QString& folder) const;
    void showFolder(const QString& folder, bool moveTree);
    void requestAdd();
    void rememberFolder(const QString& folder);
    void fillPathBar();

    const AppContext& app_;
    Dialogs& dialogs_;
    QString folder_;
    int driveIndex_ = -1;
    QComboBox* drives_ = nullptr;
    QTreeView* tree_ = nullptr;
    QFileSystemModel* dirModel_ = nullptr;
    QComboBox* filter_ = nullptr;
    QLabel* filterLabel_ = nullptr;
    QListWidget* files_ = nullptr;
    QComboBox* path_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QToolButton* home_ = nullptr;
    QStringList recent_;
    QString lastPattern_;
    // Tells when the shown folder changes on disk; the list follows after a
    // short pause, once for a burst of changes.
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* followTimer_ = nullptr;
};

}  // namespace zerlant::gui
