#pragma once
// The Scan panel: seven check boxes choosing the exported file columns, the
// run over the ticked scan outputs, and the two exports.

#include <array>

#include "core/results/scanaimexport.hpp"
#include "gui/mainwindow/readingpanel.hpp"

namespace zerlant::gui {

class ScanPanel : public ReadingPanel {
    Q_OBJECT
  public:
    explicit ScanPanel(PanelContext& context);

    ScanColumnChecks checks() const;
    QCheckBox* box(std::size_t column) const { return boxes_.at(column); }
    const Table& scanTable() const { return table_; }

    Table exportTable() const override;
    void retranslateTitles(const std::function<QString(const QString&)>& translate) override;
    void panelShown() override;

  public slots:
    void run() override;

  private:
    std::array<QCheckBox*, kScanFileColumns> boxes_{};
    Table table_;
};

}  // namespace zerlant::gui
