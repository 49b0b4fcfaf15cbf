#include "gui/results/resultsdock.hpp"

#include <QDockWidget>

#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/results/resultsview.hpp"

namespace zerlant::gui {

ResultsView* attachResultsView(MainWindow& window, const AppContext& app, Dialogs& dialogs) {
    auto* dock = new QDockWidget(app.msg(260), &window);
    dock->setObjectName("resultsDock");
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                      QDockWidget::DockWidgetClosable);
    auto* view = new ResultsView(app, dialogs, dock);
    dock->setWidget(view);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    auto shown = [&window, dock] {
        if (dock->isHidden()) {
            dock->show();
            window.resizeDocks({dock}, {window.width() / 2}, Qt::Horizontal);
        }
    };

    ExtractPanel* extract = window.extractPanel();
    QObject::connect(extract, &ReadingPanel::runFinished, view, [=] {
        const auto& counts = extract->lastRunCounts();
        view->setPlotSources(extract->records(), {});
        view->showExtract(extract->records(), extract->resultTable(), extract->detailTable(),
                          extract->boxes(), counts.unreadable, counts.skipped);
        shown();
    });
    ScanPanel* scan = window.scanPanel();
    QObject::connect(scan, &ReadingPanel::runFinished, view, [=] {
        const auto& counts = scan->lastRunCounts();
        view->setPlotSources({}, scan->scanFiles());
        view->showScan(scan->scanTable(), counts.unreadable, counts.skipped);
        shown();
    });
    AimPanel* aim = window.aimPanel();
    QObject::connect(aim, &ReadingPanel::runFinished, view, [=] {
        const auto& counts = aim->lastRunCounts();
        view->showAim(aim->aimTable(), counts.unreadable, counts.skipped);
        shown();
    });
    QObject::connect(&window, &MainWindow::thermoShown, view, shown);
    return view;
}

}  // namespace zerlant::gui
