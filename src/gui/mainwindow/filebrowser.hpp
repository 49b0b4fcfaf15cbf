#pragma once
// The file browser above the working list: mounted volumes, the folder tree
// of the chosen volume, the file pattern, the files of the current folder that
// match it (several selectable at once) and the five list buttons.

#include <QStringList>
#include <QWidget>

class QComboBox;
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

    // The eight file patterns, in order.
    static QStringList patterns();

    QString currentFolder() const { return folder_; }
    QString currentPattern() const;
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
};

}  // namespace zerlant::gui
