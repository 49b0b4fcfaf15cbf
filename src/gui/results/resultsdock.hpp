#pragma once
// The results in the main window: a dock beside the file lists that appears
// after the first Extract, Scan, Aim or thermochemistry run.  Each of the
// four has a page of its own (tabs), kept until the same tool runs again, so
// that an Extract and a Scan can be compared side by side.

#include <QDockWidget>
#include <array>
#include <cstddef>
#include <functional>
#include <vector>

#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "core/scan/scanpoints.hpp"

class QScrollArea;
class QTabWidget;

namespace zerlant::gui {

class AppContext;
class Dialogs;
class MainWindow;
class ResultsView;

class ResultsDock : public QDockWidget {
    Q_OBJECT
  public:
    enum class Page { Extract, Scan, Aim, Thermo };

    ResultsDock(MainWindow& window, const AppContext& app, Dialogs& dialogs);

    // The page's view (it exists before the tool's first run, unlisted).
    ResultsView* view(Page page) const { return views_[static_cast<int>(page)]; }
    // The view of the page in front, or the Extract view before any run.
    ResultsView* currentView() const;
    QTabWidget* pages() const { return pages_; }
    // True once the tool has shown results here.
    bool hasPage(Page page) const;

    // Takes the tables of the tool's run that has just finished (a copy: the
    // panel empties its own when it is shown again) and fills its page.
    void takeRun(Page page);
    // Shows the page in front (listing it first if needed).
    void showPage(Page page);
    // Captions of the dock and of every page in the current language: the
    // column titles of the tables kept go through `titles`, then each page is
    // shown again.
    void retranslate(const std::function<QString(const QString&)>& titles);

  protected:
    // The results keep their share of the window's width when the window
    // is resized (a main window gives all new room to its central area);
    // dragging the edge sets a new share.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString pageTitle(Page page) const;
    void applyShare();
    void fill(Page page);

    // What each reading page shows, kept until the tool's next run.
    struct Kept {
        Table table;
        DetailTable detail;
        ExtractBoxes boxes;
        std::vector<ExtractRecord> records;  // what the plots and the view read
        std::vector<ScanFile> scanFiles;
        std::size_t unreadable = 0;
        std::size_t skipped = 0;
    };
    std::array<Kept, 3> kept_;

    MainWindow& window_;
    const AppContext& app_;
    QTabWidget* pages_ = nullptr;
    std::array<ResultsView*, 4> views_{};
    std::array<QScrollArea*, 4> scrolls_{};
    double share_ = 0.6;
    int windowWidth_ = 0;
    bool applying_ = false;
};

// Creates the dock and follows the runs of the window's reading panels.
ResultsDock* attachResultsDock(MainWindow& window, const AppContext& app, Dialogs& dialogs);

}  // namespace zerlant::gui
