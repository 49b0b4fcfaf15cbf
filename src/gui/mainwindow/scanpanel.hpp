#pragma once
// The Scan panel: seven check boxes choosing the exported file columns, the
// run over the ticked scan outputs, and the two exports.

#include <array>
#include <vector>

#include "core/results/scanaimexport.hpp"
#include "core/scan/scanpoints.hpp"
#include "gui/mainwindow/readingpanel.hpp"

namespace zerlant::gui {

class ScanPanel : public ReadingPanel {
    Q_OBJECT
  public:
    explicit ScanPanel(PanelContext& context);

    ScanColumnChecks checks() const;
    QCheckBox* box(std::size_t column) const { return boxes_.at(column); }
    const Table& scanTable() const { return table_; }
    // The points of the last run as numbers, for its plots.
    const std::vector<ScanFile>& scanFiles() const { return files_; }

    Table exportTable() const override;
    void retranslateTitles(const std::function<QString(const QString&)>& translate) override;
    void panelShown() override;

  public slots:
    void run() override;

  private:
    std::array<QCheckBox*, kScanFileColumns> boxes_{};
    Table table_;
    std::vector<ScanFile> files_;
};

}  // namespace zerlant::gui
