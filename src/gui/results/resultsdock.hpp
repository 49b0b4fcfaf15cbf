#pragma once
// The results view in the main window: a dock beside the file lists that
// appears after the first Extract, Scan, Aim or thermochemistry run and shows
// the last one.

namespace zerlant::gui {

class AppContext;
class Dialogs;
class MainWindow;
class ResultsView;

// Creates the dock and follows the runs of the window's reading panels.
ResultsView* attachResultsView(MainWindow& window, const AppContext& app, Dialogs& dialogs);

}  // namespace zerlant::gui
