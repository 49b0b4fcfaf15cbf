#pragma once
// The splash window: shown first, hands over to the main window after five
// one-second ticks or at the first click on it.  A click on the product
// description does nothing.

#include <QTimer>
#include <QWidget>

class QLabel;

namespace zerlant::gui {

class AppContext;

class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(const AppContext& app, QWidget* parent = nullptr);

    int ticks() const { return ticks_; }
    bool handedOver() const { return handedOver_; }
    QTimer& timer() { return timer_; }

  public slots:
    // One tick of the one-second timer; the fifth hands over.
    void tick();
    // Closes the splash window and hands over, once.
    void handOver();

  signals:
    // Emitted once, when the main window is to be shown.
    void finished();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTimer timer_;
    int ticks_ = 0;
    bool handedOver_ = false;
    QLabel* description_ = nullptr;
};

}  // namespace zerlant::gui
