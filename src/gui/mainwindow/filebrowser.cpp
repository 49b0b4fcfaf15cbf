#include "gui/mainwindow/filebrowser.hpp"

#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStorageInfo>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
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
    return {"*.out *.log", "*.out", "*.log", "*.gjf *.com", "*.gjf", "*.com",
            "*.bcf",       "*.nfo", "*.txt", "*.sum",       "*.*"};
}

QStringList FileBrowser::splitPatterns(const QString& filter) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    QStringList out;
    for (QString p : filter.split(separators, Qt::SkipEmptyParts)) {
        // "*.*" means every file, also those without a dot.
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
        if (!out.contains(p))
            out << p;
    }
    return out;
}

FileBrowser::FileBrowser(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), app_(app), dialogs_(dialogs) {
    watcher_ = new QFileSystemWatcher(this);
    followTimer_ = new QTimer(this);
    followTimer_->setSingleShot(true);
    followTimer_->setInterval(200);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, followTimer_,
            qOverload<>(&QTimer::start));
    connect(followTimer_, &QTimer::timeout, this, &FileBrowser::followFolder);
    // The combo boxes do not widen the window to their longest entry (a
    // deep mount point, a long folder): their lists show it whole.
    drives_ = new QComboBox(this);
    drives_->setObjectName("cmbunidad");
    drives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drives_->setMinimumContentsLength(8);

    // The path bar: any folder typed or pasted, completed from the disk, with
    // the recent folders in its list.
    pathLabel_ = new QLabel(this);
    pathLabel_->setObjectName("LBpath");
    path_ = new QComboBox(this);
    path_->setObjectName("pathBar");
    path_->setEditable(true);
    path_->setInsertPolicy(QComboBox::NoInsert);
    path_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    path_->setMinimumContentsLength(16);
    pathLabel_->setBuddy(path_);
    auto* completionModel = new QFileSystemModel(this);
    completionModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    completionModel->setRootPath(QString());
    auto* completer = new QCompleter(completionModel, this);
    completer->setObjectName("pathCompleter");
    completer->setCompletionMode(QCompleter::PopupCompletion);
    path_->setCompleter(completer);
    home_ = new QToolButton(this);
    home_->setObjectName("BThome");
    home_->setIcon(
        QIcon::fromTheme(QStringLiteral("go-home"), style()->standardIcon(QStyle::SP_DirHomeIcon)));

    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QString());
    tree_ = new QTreeView(this);
    tree_->setObjectName("lstdirectorio");
    tree_->setModel(dirModel_);
    tree_->setHeaderHidden(true);
    for (int c = 1; c < dirModel_->columnCount(); ++c) tree_->hideColumn(c);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);

    filterLabel_ = new QLabel(app.msg(Msg::Filter, ":"), this);
    filterLabel_->setObjectName("LBf");
    filter_ = new QComboBox(this);
    filter_->setObjectName("CMBfiltro");
    filter_->addItems(patterns());
    filter_->setEditable(true);
    filter_->setInsertPolicy(QComboBox::NoInsert);
    filter_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    filter_->setMinimumContentsLength(10);
    filterLabel_->setBuddy(filter_);

    files_ = new QListWidget(this);
    files_->setObjectName("lstarchivos");
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setSortingEnabled(false);
    // One line per file: a folder of thousands lists without measuring each.
    files_->setUniformItemSizes(true);

    auto* selectAllButton = button(this, "BTselectall", app.msg(Msg::CheckAll), Picture::SelectAll);
    auto* selectNoneButton =
        button(this, "BTselectnone", app.msg(Msg::UncheckAll), Picture::SelectNone);
    auto* addButton = button(this, "BTadd", app.msg(Msg::Add), Picture::Add);
    auto* deleteButton = button(this, "BTdelete", app.msg(Msg::Remove), Picture::Delete);
    auto* deleteAllButton =
        button(this, "BTdeleteall", app.msg(Msg::RemoveAll), Picture::DeleteAll);

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
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel_);
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(home_);
    auto* row = new QHBoxLayout;
    row->addLayout(left, 1);
    row->addLayout(middle, 1);
    row->addLayout(right);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addLayout(pathRow);
    whole->addLayout(row, 1);
    retranslate();

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
    // A pattern chosen from the list or typed (taken on Return or when the
    // box loses the focus).
    auto patternTaken = [this] {
        if (currentPattern() == lastPattern_)
            return;
        lastPattern_ = currentPattern();
        refresh();
        emit patternChanged(currentPattern());
    };
    connect(filter_, qOverload<int>(&QComboBox::currentIndexChanged), this, patternTaken);
    connect(filter_->lineEdit(), &QLineEdit::editingFinished, this, patternTaken);
    connect(path_->lineEdit(), &QLineEdit::returnPressed, this, &FileBrowser::goToTypedFolder);
    connect(path_, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (index >= 0 && !setCurrentFolder(path_->itemText(index)))
            goToTypedFolder();
    });
    connect(home_, &QToolButton::clicked, this, [this] { setCurrentFolder(QDir::homePath()); });
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
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::DriveUnreadable));
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
    if (const QStringList watched = watcher_->directories(); !watched.isEmpty())
        watcher_->removePaths(watched);
    folder_ = folder;
    watcher_->addPath(folder_);
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
    rememberFolder(folder_);
    emit folderChanged(folder_);
}

void FileBrowser::rememberFolder(const QString& folder) {
    recent_.removeAll(folder);
    recent_.prepend(folder);
    while (recent_.size() > kRecent) recent_.removeLast();
    fillPathBar();
}

void FileBrowser::setRecentFolders(const QStringList& folders) {
    const QString current = folder_;
    recent_.clear();
    for (const QString& f : folders) {
        if (!f.isEmpty() && !recent_.contains(f) && recent_.size() < kRecent)
            recent_ << f;
    }
    if (!current.isEmpty())
        rememberFolder(current);
    else
        fillPathBar();
}

void FileBrowser::fillPathBar() {
    const QSignalBlocker block(path_);
    path_->clear();
    path_->addItems(recent_);
    path_->setCurrentIndex(recent_.indexOf(folder_));
    path_->setEditText(folder_);
}

void FileBrowser::goToTypedFolder() {
    QString typed = path_->currentText().trimmed();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        typed = QDir::homePath() + typed.mid(1);
    if (typed.isEmpty() || !setCurrentFolder(typed)) {
        dialogs_.message(this, Dialogs::Icon::Information, app_.title(),
                         app_.msg(Msg::FolderUnreadable));
        path_->setEditText(folder_);
    }
}

void FileBrowser::retranslate() {
    pathLabel_->setText(app_.msg(Msg::Folder, ":"));
    home_->setToolTip(app_.msg(Msg::HomeFolder));
    path_->setToolTip(app_.msg(Msg::RecentFolders));
    filterLabel_->setText(app_.msg(Msg::Filter, ":"));
    filter_->setToolTip(app_.msg(Msg::FilterTip));
}

QString FileBrowser::currentPattern() const {
    return filter_->currentText().simplified();
}

void FileBrowser::setPatternIndex(int index) {
    filter_->setCurrentIndex(index);
    filter_->setEditText(filter_->itemText(index));
    emit filter_->lineEdit()->editingFinished();
}

void FileBrowser::setPattern(const QString& filter) {
    const int index = filter_->findText(filter.simplified());
    if (index >= 0) {
        setPatternIndex(index);
        return;
    }
    filter_->setEditText(filter.simplified());
    emit filter_->lineEdit()->editingFinished();
}

void FileBrowser::refresh() {
    files_->clear();
    if (folder_.isEmpty())
        return;
    QDir dir(folder_);
    const QStringList patterns = splitPatterns(currentPattern());
    dir.setNameFilters(patterns.isEmpty() ? QStringList{QStringLiteral("*")} : patterns);
    // Plain files only: no hidden files, and no pipes, sockets or devices,
    // which a tool would wait on for ever when it reads them.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // Without QDir::CaseSensitive the patterns ignore letter case, so "*.out"
    // also lists "JOB.OUT".
    files_->addItems(dir.entryList());
}

void FileBrowser::followFolder() {
    const QStringList selected = selectedFiles();
    const int scrolled = files_->verticalScrollBar()->value();
    refresh();
    selectFiles(selected);
    files_->verticalScrollBar()->setValue(scrolled);
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
    if (names.isEmpty())
        return;
    const QSet<QString> wanted(names.begin(), names.end());
    // One selection change for all of them, not one per file.
    QItemSelection selection;
    for (int i = 0; i < files_->count(); ++i) {
        if (wanted.contains(files_->item(i)->text())) {
            const QModelIndex index = files_->model()->index(i, 0);
            selection.select(index, index);
        }
    }
    files_->selectionModel()->select(selection, QItemSelectionModel::Select);
}

void FileBrowser::requestAdd() {
    const QStringList names = selectedFiles();
    emit addRequested(folder_, names);
    selectNone();
}

}  // namespace zerlant::gui
