#include "gui/molecule/moleculedock.hpp"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>

#include "gui/app/appcontext.hpp"
#include "gui/app/messages.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/workinglistview.hpp"
#include "gui/molecule/moleculepane.hpp"
#include "gui/results/resultsdock.hpp"
#include "gui/results/resultsview.hpp"

namespace zerlant::gui {

namespace {

// Asks for less height than the pane has: beside the results, the results
// keep the larger share when the window lays the two out.
class PaneScroll : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override { return {480, 240}; }
};

bool isGaussianOutput(const QString& name) {
    return name.endsWith(QLatin1String(".out"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".log"), Qt::CaseInsensitive);
}

}  // namespace

MoleculeDock::MoleculeDock(MainWindow& window, const AppContext& app, Dialogs& dialogs)
    : QDockWidget(app.msg(Msg::Structure), &window), window_(window), app_(app) {
    setObjectName("moleculeDock");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                QDockWidget::DockWidgetClosable);
    pane_ = new MoleculePane(app, dialogs, this);
    // The pane scrolls rather than widen the window on a small screen.
    auto* scroll = new PaneScroll(this);
    scroll->setWidget(pane_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    pane_->setMinimumSize(420, 300);
    setWidget(scroll);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            loadPending();
        if (visible && shareOwed_)
            QTimer::singleShot(0, this, &MoleculeDock::shareHeightWithResults);
    });
    if (QDockWidget* results = window.resultsDock())
        connect(results, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (visible && shareOwed_)
                QTimer::singleShot(0, this, &MoleculeDock::shareHeightWithResults);
        });
}

void MoleculeDock::request(const QString& path, int mode) {
    pending_ = path;
    pendingMode_ = mode;
    if (!everShown_ && isHidden()) {
        everShown_ = true;
        show();
        raise();
        shareOwed_ = true;
        QTimer::singleShot(0, this, &MoleculeDock::shareHeightWithResults);
    }
    if (!isHidden())
        loadPending();
}

// The results keep the larger share of the height.  Done once the window
// has laid both panes out (before that their heights are not known): at once
// when they are already shown, else when both first are.
void MoleculeDock::shareHeightWithResults() {
    QDockWidget* results = window_.resultsDock();
    if (!shareOwed_ || !results || results->isHidden() || isHidden() || !window_.isVisible())
        return;
    shareOwed_ = false;
    const int height = results->height() + this->height();
    window_.resizeDocks({results, this}, {height * 11 / 20, height * 9 / 20}, Qt::Vertical);
}

void MoleculeDock::requestByName(const QString& file, int mode) {
    const FileListModel* list = window_.listModel();
    for (std::size_t e = 1; e <= list->entryCount(); ++e)
        if (list->name(e) == file) {
            request(list->path(e), mode);
            return;
        }
    if (!isHidden())
        pane_->clearFile(app_.msg(Msg::NotInList).arg(file));
}

void MoleculeDock::loadPending() {
    if (pending_.isEmpty())
        return;
    const QString path = pending_;
    const int mode = pendingMode_;
    pending_.clear();
    pendingMode_ = -1;
    if (path != pane_->file())
        pane_->loadFile(path);
    if (mode >= 0)
        pane_->showMode(mode);
}

void MoleculeDock::retranslate() {
    setWindowTitle(app_.msg(Msg::Structure));
    toggleViewAction()->setText(app_.msg(Msg::Structure));
    pane_->retranslate();
}

MoleculeDock* attachMoleculeDock(MainWindow& window, const AppContext& app, Dialogs& dialogs) {
    auto* dock = new MoleculeDock(window, app, dialogs);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    window.splitDockWidget(window.resultsDock(), dock, Qt::Vertical);
    dock->hide();
    QAction* view = dock->toggleViewAction();
    view->setObjectName("actViewStructure");
    view->setText(app.msg(Msg::Structure));
    if (QMenu* menu = window.viewMenu()) {
        const QList<QAction*> actions = menu->actions();
        menu->insertAction(actions.size() > 1 ? actions[1] : nullptr, view);
    }

    ResultsView* extract = window.resultsDock()->view(ResultsDock::Page::Extract);
    QObject::connect(extract, &ResultsView::fileSelected, dock,
                     [dock](const QString& file) { dock->requestByName(file); });
    QObject::connect(extract, &ResultsView::modeSelected, dock,
                     [dock](const QString& file, int mode) { dock->requestByName(file, mode); });

    WorkingListView* list = window.listView();
    auto follow = [dock, &window](const QModelIndex& current) {
        if (!current.isValid())
            return;
        const std::size_t entry = static_cast<std::size_t>(current.row()) + 1;
        const FileListModel* model = window.listModel();
        if (entry <= model->entryCount() && isGaussianOutput(model->name(entry)))
            dock->request(model->path(entry));
    };
    if (list->selectionModel())
        QObject::connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, dock,
                         follow);
    QObject::connect(&window, &MainWindow::languageSwitched, dock, &MoleculeDock::retranslate);
    return dock;
}

}  // namespace zerlant::gui
