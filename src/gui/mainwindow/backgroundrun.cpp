#include "gui/mainwindow/backgroundrun.hpp"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace zerlant::gui {

BackgroundRun::BackgroundRun(QWidget* window) : QObject(window), window_(window) {}

BackgroundRun::~BackgroundRun() {
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool BackgroundRun::start(const QString& caption, int total,
                          std::function<void(const ProgressCallback&)> work,
                          std::function<void(bool)> finish) {
    if (running_)
        return false;
    running_ = true;
    cancel_ = false;
    finish_ = std::move(finish);

    delete dialog_;
    dialog_ = new QProgressDialog(caption, QString(), 0, total > 0 ? total : 1, window_);
    dialog_->setObjectName("runProgress");
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(300);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumWidth(420);
    dialog_->setValue(0);
    connect(dialog_, &QProgressDialog::canceled, this, [this] { cancel_ = true; });

    // The worker posts its progress to this object's thread; the counter
    // lives in the worker.
    thread_ = std::thread([this, work = std::move(work)] {
        int done = 0;
        ProgressCallback progress = [this, &done](std::size_t, const std::string& name) {
            if (cancel_)
                return false;
            const QString shown = QString::fromStdString(name);
            const int value = done++;
            QMetaObject::invokeMethod(
                this, [this, value, shown] { report(value, shown); }, Qt::QueuedConnection);
            return !cancel_.load();
        };
        work(progress);
        QMetaObject::invokeMethod(
            this, [this] { complete(); }, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundRun::report(int done, const QString& name) {
    if (dialog_ == nullptr || !running_)
        return;
    dialog_->setLabelText(name);
    dialog_->setValue(std::min(done, dialog_->maximum()));
}

void BackgroundRun::complete() {
    if (!running_)
        return;
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    const bool cancelled = cancel_;
    // The progress box goes before the run's own messages appear.  Its
    // show timer is stopped too: a box that was never shown would otherwise
    // pop up (window-modal, over the message) once the timer fires inside
    // the message's event loop.
    if (dialog_ != nullptr) {
        disconnect(dialog_, nullptr, this, nullptr);
        dialog_->reset();
        dialog_->hide();
        dialog_->deleteLater();
        dialog_ = nullptr;
    }
    auto finish = std::move(finish_);
    finish_ = nullptr;
    if (finish)
        finish(cancelled);
    emit finished(cancelled);
}

void BackgroundRun::wait() {
    if (!running_)
        return;
    if (thread_.joinable())
        thread_.join();
    // The finishing step was posted by the worker; run it now.
    complete();
}

}  // namespace zerlant::gui
