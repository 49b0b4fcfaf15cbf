#pragma once
// The Extract panel: the check boxes that choose the exported quantities,
// the run over the ticked Gaussian output files, and the two exports.

#include <array>

#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "gui/mainwindow/readingpanel.hpp"

namespace zerlant::gui {

class ExtractPanel : public ReadingPanel {
    Q_OBJECT
  public:
    explicit ExtractPanel(PanelContext& context);

    // The boxes as they stand: captions as shown and ticks.
    ExtractBoxes boxes() const;
    QCheckBox* box(ExtractBox b) const { return boxes_[static_cast<std::size_t>(b)]; }

    const Table& resultTable() const { return resultTable_; }
    const std::vector<ExtractRecord>& records() const { return records_; }
    const DetailTable& detailTable() const { return detail_; }

    Table exportTable() const override;
    void retranslateTitles(const std::function<QString(const QString&)>& translate) override;
    std::optional<std::string> tidyExport(const std::string& format) const override;
    void panelShown() override;

  public slots:
    void run() override;

  private:
    std::array<QCheckBox*, kExtractBoxCount> boxes_{};
    Table resultTable_;
    DetailTable detail_;
    std::vector<ExtractRecord> records_;  // what resultTable_'s rows were made from
};

}  // namespace zerlant::gui
