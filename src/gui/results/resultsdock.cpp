#include "gui/results/resultsdock.hpp"

#include <QEvent>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>

#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/results/resultsview.hpp"

namespace zerlant::gui {

ResultsDock::ResultsDock(MainWindow& window, const AppContext& app, Dialogs& dialogs)
    : QDockWidget(app.msg(Msg::Results), &window), window_(window), app_(app) {
    setObjectName("resultsDock");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                QDockWidget::DockWidgetClosable);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("resultsPages");
    pages_->setDocumentMode(true);
    // Each page scrolls when the dock is narrower than its buttons, so that
    // the tools beside it keep their room on a small screen.
    for (auto& view : views_) {
        view = new ResultsView(app, dialogs, this);
        auto* page = new QScrollArea(this);
        page->setWidget(view);
        page->setWidgetResizable(true);
        page->setFrameShape(QFrame::NoFrame);
        page->hide();
        scrolls_[static_cast<std::size_t>(&view - views_.data())] = page;
    }
    setWidget(pages_);
    window.installEventFilter(this);
}

void ResultsDock::applyShare() {
    if (isHidden() || isFloating())
        return;
    // Never more than the tools leave: asking for more would widen the window.
    int width = static_cast<int>(share_ * window_.width());
    if (const QWidget* tools = window_.centralWidget())
        width = std::min(width, window_.width() - tools->minimumSizeHint().width() - 12);
    applying_ = true;
    window_.resizeDocks({this}, {std::max(width, minimumSizeHint().width())}, Qt::Horizontal);
    applying_ = false;
}

bool ResultsDock::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize) {
        windowWidth_ = window_.width();
        applyShare();
    }
    return QDockWidget::eventFilter(watched, event);
}

void ResultsDock::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    // The user dragged the edge: the window kept its width.
    if (!applying_ && !isHidden() && !isFloating() && window_.isVisible() &&
        window_.width() == windowWidth_ && window_.width() > 0)
        share_ = static_cast<double>(width()) / window_.width();
}

ResultsView* ResultsDock::currentView() const {
    for (std::size_t p = 0; p < views_.size(); ++p)
        if (pages_->currentWidget() == scrolls_[p])
            return views_[p];
    return views_[0];
}

bool ResultsDock::hasPage(Page page) const {
    return pages_->indexOf(scrolls_[static_cast<std::size_t>(page)]) >= 0;
}

QString ResultsDock::pageTitle(Page page) const {
    switch (page) {
        case Page::Extract:
            return app_.msg(Msg::ToolExtract);
        case Page::Scan:
            return app_.msg(Msg::ToolScan);
        case Page::Aim:
            return app_.msg(Msg::ToolAim);
        case Page::Thermo:
            break;
    }
    return app_.msg(Msg::Thermochemistry);
}

void ResultsDock::showPage(Page page) {
    QScrollArea* shown = scrolls_[static_cast<std::size_t>(page)];
    if (!hasPage(page)) {
        // The pages keep the order of the tools.
        int at = 0;
        for (int p = 0; p < static_cast<int>(page); ++p)
            at += hasPage(static_cast<Page>(p)) ? 1 : 0;
        pages_->insertTab(at, shown, pageTitle(page));
    }
    pages_->setCurrentWidget(shown);
    if (isHidden()) {
        show();
        // The results take most of the width; the tools keep what they need.
        applyShare();
    }
}

void ResultsDock::takeRun(Page page) {
    if (page == Page::Thermo)
        return;
    Kept& k = kept_[static_cast<int>(page)];
    const ReadingPanel* panel = nullptr;
    switch (page) {
        case Page::Extract: {
            const ExtractPanel* extract = window_.extractPanel();
            k.table = extract->resultTable();
            k.detail = extract->detailTable();
            k.boxes = extract->boxes();
            k.records = extract->records();
            panel = extract;
            break;
        }
        case Page::Scan:
            k.table = window_.scanPanel()->scanTable();
            k.scanFiles = window_.scanPanel()->scanFiles();
            panel = window_.scanPanel();
            break;
        case Page::Aim:
            k.table = window_.aimPanel()->aimTable();
            panel = window_.aimPanel();
            break;
        case Page::Thermo:
            break;
    }
    k.unreadable = panel->lastRunCounts().unreadable;
    k.skipped = panel->lastRunCounts().skipped;
    fill(page);
}

void ResultsDock::fill(Page page) {
    ResultsView* v = view(page);
    if (page == Page::Thermo) {
        if (ThermoView* thermo = v->thermoView()) {
            std::vector<ThermoFile> files = thermo->files();
            v->showThermo(std::move(files));
        }
        return;
    }
    const Kept& k = kept_[static_cast<int>(page)];
    switch (page) {
        case Page::Extract:
            v->setPlotSources(k.records, {});
            v->showExtract(k.records, k.table, k.detail, k.boxes, k.unreadable, k.skipped);
            break;
        case Page::Scan:
            v->setPlotSources({}, k.scanFiles);
            v->showScan(k.table, k.unreadable, k.skipped);
            break;
        case Page::Aim:
            v->showAim(k.table, k.unreadable, k.skipped);
            break;
        case Page::Thermo:
            break;
    }
}

void ResultsDock::retranslate(const std::function<QString(const QString&)>& titles) {
    setWindowTitle(app_.msg(Msg::Results));
    for (int p = 0; p < 4; ++p) {
        const auto page = static_cast<Page>(p);
        if (!hasPage(page))
            continue;
        if (page != Page::Thermo) {
            Kept& k = kept_[p];
            for (Table* t : {&k.table, &k.detail.table})
                for (std::size_t c = 0; c < t->columns() && t->rows() > 0; ++c)
                    t->set(c, 0, titles(QString::fromStdString(t->cell(c, 0))).toStdString());
            for (std::size_t b = 0; b < kExtractBoxCount; ++b) {
                CheckBoxState& box = k.boxes[static_cast<ExtractBox>(b)];
                box.caption = titles(QString::fromStdString(box.caption)).toStdString();
            }
        }
        pages_->setTabText(pages_->indexOf(scrolls_[static_cast<std::size_t>(p)]), pageTitle(page));
        fill(page);
    }
}

ResultsDock* attachResultsDock(MainWindow& window, const AppContext& app, Dialogs& dialogs) {
    auto* dock = new ResultsDock(window, app, dialogs);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    using Page = ResultsDock::Page;
    for (auto [panel, page] : {std::pair<ReadingPanel*, Page>{window.extractPanel(), Page::Extract},
                               {window.scanPanel(), Page::Scan},
                               {window.aimPanel(), Page::Aim}}) {
        QObject::connect(panel, &ReadingPanel::runFinished, dock, [dock, page = page] {
            dock->takeRun(page);
            dock->showPage(page);
        });
    }
    QObject::connect(&window, &MainWindow::thermoShown, dock,
                     [dock] { dock->showPage(Page::Thermo); });
    return dock;
}

}  // namespace zerlant::gui
