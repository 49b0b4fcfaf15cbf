#pragma once
// Runs a tool over the working list on a worker thread while a progress
// dialog shows the file being read.  Cancelling stops the run before the next
// file; the caller then keeps its previous results.  The finishing step runs
// on the window's thread.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

class QProgressDialog;
class QWidget;

namespace zerlant::gui {

// The progress callback handed to the core runs: the row index and file name
// before each ticked row; false cancels.
using ProgressCallback = std::function<bool(std::size_t index, const std::string& name)>;

class BackgroundRun : public QObject {
    Q_OBJECT
  public:
    explicit BackgroundRun(QWidget* window);
    ~BackgroundRun() override;

    bool running() const { return running_; }

    // Starts `work` on a worker thread; `total` is the number of ticked rows
    // for the progress bar.  `finish` runs on the window's thread afterwards,
    // with true when the run was cancelled.  Returns false while another run
    // is still going.
    bool start(const QString& caption, int total, std::function<void(const ProgressCallback&)> work,
               std::function<void(bool cancelled)> finish);

    // Asks the run to stop before its next file.
    void cancel() { cancel_ = true; }
    // Blocks until the worker has ended and its finishing step has run.
    void wait();

    QProgressDialog* dialog() const { return dialog_; }

  signals:
    void finished(bool cancelled);

  private:
    void report(int done, const QString& name);
    void complete();

    QWidget* window_;
    QProgressDialog* dialog_ = nullptr;
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
    std::function<void(bool)> finish_;
};

}  // namespace zerlant::gui
