#include "gui/mainwindow/filebrowser.hpp"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"

namespace zerlant::gui {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text, Picture p) {
    auto* b = new QPushButton(picture(p), text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

bool readableFolder(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

}  // namespace

QStringList FileBrowser::patterns() {
    return {"*.out", "*.log", "*.gjf", "*.bcf", "*.nfo", "*.txt", "*.sum", "*.*"};
}

FileBrowser::FileBrowser(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    drives_ = new QComboBox(this);
    drives_->setObjectName("cmbunidad");

    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QString());
    tree_ = new QTreeView(this);
    tree_->setObjectName("lstdirectorio");
    tree_->setModel(dirModel_);
    tree_->setHeaderHidden(true);
    for (int c = 1; c < dirModel_->columnCount(); ++c) tree_->hideColumn(c);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);

    filterLabel_ = new QLabel(app.msg(65, ":"), this);
    filterLabel_->setObjectName("LBf");
    filter_ = new QComboBox(this);
    filter_->setObjectName("CMBfiltro");
    filter_->addItems(patterns());
    filterLabel_->setBuddy(filter_);

    files_ = new QListWidget(this);
    files_->setObjectName("lstarchivos");
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setSortingEnabled(false);

    auto* selectAllButton = button(this, "BTselectall", app.msg(60), Picture::SelectAll);
    auto* selectNoneButton = button(this, "BTselectnone", app.msg(61), Picture::SelectNone);
    auto* addButton = button(this, "BTadd", app.msg(62), Picture::Add);
    auto* deleteButton = button(this, "BTdelete", app.msg(63), Picture::Delete);
    auto* deleteAllButton = button(this, "BTdeleteall", app.msg(64), Picture::DeleteAll);

    // Left: volumes over the folder tree.  Middle: pattern over the files.
    // Right: the five buttons.
    auto* left = new QVBoxLayout;
    left->addWidget(drives_);
    left->addWidget(tree_, 1);
    auto* middle = new QVBoxLayout;
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel_);
    filterRow->addWidget(filter_, 1);
    middle->addLayout(filterRow);
    middle->addWidget(files_, 1);
    auto* right = new QVBoxLayout;
    for (auto* b : {selectAllButton, selectNoneButton, addButton, deleteButton, deleteAllButton})
        right->addWidget(b);
    right->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(left, 1);
    row->addLayout(middle, 1);
    row->addLayout(right);

    fillDrives();

    connect(drives_, qOverload<int>(&QComboBox::activated), this, &FileBrowser::chooseDrive);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                const QString path = dirModel_->filePath(current);
                if (path != folder_)
                    showFolder(path, false);
            });
    // The folder tree loads in the background: bring the current folder into
    // view once its parents are there.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (folder_.isEmpty() || !(folder_ + '/').startsWith(loaded))
            return;
        const QModelIndex index = dirModel_->index(folder_);
        if (!index.isValid())
            return;
        if (tree_->currentIndex() != index)
            tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    });
    // The model sorts each folder a moment after loading it, which moves the
    // rows: keep the current folder in view unless the user is in the tree.
    connect(dirModel_, &QAbstractItemModel::layoutChanged, this, [this] {
        if (!tree_->hasFocus() && tree_->currentIndex().isValid())
            tree_->scrollTo(tree_->currentIndex());
    });
    connect(filter_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        refresh();
        emit patternChanged(currentPattern());
    });
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] { requestAdd(); });
    connect(selectAllButton, &QPushButton::clicked, this, &FileBrowser::selectAll);
    connect(selectNoneButton, &QPushButton::clicked, this, &FileBrowser::selectNone);
    connect(addButton, &QPushButton::clicked, this, &FileBrowser::requestAdd);
    connect(deleteButton, &QPushButton::clicked, this, &FileBrowser::deleteCheckedRequested);
    connect(deleteAllButton, &QPushButton::clicked, this, &FileBrowser::deleteAllRequested);
}

void FileBrowser::fillDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid())
            continue;
        const QString root = volume.rootPath();
        if (!roots.contains(root))
            roots << root;
    }
    roots.removeAll("/");
    roots.sort();
    roots.prepend("/");
    drives_->clear();
    for (const QString& root : roots) drives_->addItem(root, root);
}

int FileBrowser::driveIndexOf(const QString& folder) const {
    // The volume whose root is the longest prefix of the folder.
    int best = 0;
    int bestLength = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        QString root = drives_->itemData(i).toString();
        const QString withSlash = root.endsWith('/') ? root : root + '/';
        if ((folder == root || folder.startsWith(withSlash)) && root.size() > bestLength) {
            best = i;
            bestLength = static_cast<int>(root.size());
        }
    }
    return best;
}

void FileBrowser::chooseDrive(int index) {
    if (index < 0 || index >= drives_->count())
        return;
    const QString root = drives_->itemData(index).toString();
    const QStorageInfo volume(root);
    if (!volume.isValid() || !volume.isReady() || !readableFolder(root)) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(), app_.msg(132));
        // Back to the drive of the current folder, chosen like any other.
        const int back = driveIndexOf(folder_);
        drives_->setCurrentIndex(back);
        if (back != index)
            chooseDrive(back);
        return;
    }
    drives_->setCurrentIndex(index);
    driveIndex_ = index;
    if (driveIndexOf(folder_) != index || folder_.isEmpty())
        showFolder(root, true);
}

bool FileBrowser::setCurrentFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!readableFolder(clean))
        return false;
    showFolder(clean, true);
    return true;
}

void FileBrowser::showFolder(const QString& folder, bool moveTree) {
    folder_ = folder;
    const int drive = driveIndexOf(folder);
    driveIndex_ = drive;
    drives_->setCurrentIndex(drive);
    const QModelIndex rootIndex = dirModel_->index(drives_->itemData(drive).toString());
    if (tree_->rootIndex() != rootIndex)
        tree_->setRootIndex(rootIndex);
    if (moveTree) {
        const QModelIndex index = dirModel_->index(folder);
        if (index.isValid()) {
            tree_->setCurrentIndex(index);
            tree_->scrollTo(index);
            tree_->expand(index);
        }
    }
    refresh();
    emit folderChanged(folder_);
}

QString FileBrowser::currentPattern() const {
    return filter_->currentText();
}

void FileBrowser::setPatternIndex(int index) {
    filter_->setCurrentIndex(index);
}

void FileBrowser::refresh() {
    files_->clear();
    if (folder_.isEmpty())
        return;
    QString pattern = currentPattern();
    // "*.*" means every file, also those without a dot.
    if (pattern == "*.*")
        pattern = "*";
    QDir dir(folder_);
    dir.setNameFilters({pattern});
    // Plain files only: no hidden files, and no pipes, sockets or devices,
    // which a tool would wait on for ever when it reads them.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // Without QDir::CaseSensitive the patterns ignore letter case, so "*.out"
    // also lists "JOB.OUT".
    files_->addItems(dir.entryList());
}

QStringList FileBrowser::files() const {
    QStringList names;
    for (int i = 0; i < files_->count(); ++i) names << files_->item(i)->text();
    return names;
}

QStringList FileBrowser::selectedFiles() const {
    QStringList names;
    for (int i = 0; i < files_->count(); ++i) {
        if (files_->item(i)->isSelected())
            names << files_->item(i)->text();
    }
    return names;
}

void FileBrowser::selectAll() {
    files_->selectAll();
}

void FileBrowser::selectNone() {
    files_->clearSelection();
}

void FileBrowser::selectFiles(const QStringList& names) {
    for (int i = 0; i < files_->count(); ++i) {
        if (names.contains(files_->item(i)->text()))
            files_->item(i)->setSelected(true);
    }
}

void FileBrowser::requestAdd() {
    const QStringList names = selectedFiles();
    emit addRequested(folder_, names);
    selectNone();
}

}  // namespace zerlant::gui
