#pragma once
// The Aim panel: eight check boxes choosing the exported columns, the run
// over the ticked AIM summary files, and the two exports.

#include <array>

#include "core/results/scanaimexport.hpp"
#include "gui/mainwindow/readingpanel.hpp"

namespace zerlant::gui {

class AimPanel : public ReadingPanel {
    Q_OBJECT
  public:
    explicit AimPanel(PanelContext& context);

    AimColumnChecks checks() const;
    QCheckBox* box(std::size_t column) const { return boxes_.at(column); }
    const Table& aimTable() const { return table_; }

    Table exportTable() const override;
    void retranslateTitles(const std::function<QString(const QString&)>& translate) override;
    void panelShown() override;

  public slots:
    void run() override;

  private:
    std::array<QCheckBox*, kAimColumns> boxes_{};
    Table table_;
};

}  // namespace zerlant::gui
