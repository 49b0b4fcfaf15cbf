#pragma once
// The energy of each optimisation step (above) and its four convergence
// criteria as value over threshold on a logarithmic scale (below, the
// threshold is the line at 1), with the step shown marked.

#include <QStringList>
#include <QWidget>
#include <vector>

#include "core/optimisation/convergence.hpp"

namespace zerlant::gui {

class ConvergencePlot : public QWidget {
    Q_OBJECT
  public:
    explicit ConvergencePlot(QWidget* parent = nullptr);
    void setSteps(std::vector<OptimisationStep> steps);
    void setCurrent(int step);  // 0-based; -1 for none
    // The four criteria's names, for the legend.
    void setCriterionNames(QStringList names);
    QSize sizeHint() const override { return {260, 150}; }

  signals:
    void stepClicked(int step);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QRectF plotArea() const;
    std::vector<OptimisationStep> steps_;
    QStringList names_;
    int current_ = -1;
};

}  // namespace zerlant::gui
