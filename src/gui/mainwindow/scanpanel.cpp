#include "gui/mainwindow/scanpanel.hpp"

#include <QCheckBox>
#include <memory>

#include "core/scan/scanrun.hpp"
#include "gui/app/appcontext.hpp"

namespace zerlant::gui {

namespace {

// In column order: file, formula, method, basis set, charge, CPU time, status.
constexpr std::array<const char*, kScanFileColumns> kBoxNames = {
    "CHKfile1", "CHKformula1", "CHKmetodo1", "CHKbase1", "CHKcarga1", "CHKtiempo1", "CHKok1"};

}  // namespace

ScanPanel::ScanPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Scan, "FRAscan", context.app.msg(Msg::ToolScan), "BTejecutar4",
                   "BTtextos", "BTexcels") {
    for (std::size_t i = 0; i < kScanFileColumns; ++i) {
        boxes_[i] =
            makeCheckBox(this, kBoxNames[i], context.app.msg(kScanCaptionMessages[i]), true);
    }
    layOut(inColumns({boxes_.begin(), boxes_.end()}, 4));
    table_ = emptyScanTable();
}

ScanColumnChecks ScanPanel::checks() const {
    ScanColumnChecks result{};
    for (std::size_t i = 0; i < kScanFileColumns; ++i) result[i] = boxes_[i]->isChecked();
    return result;
}

void ScanPanel::panelShown() {
    table_ = emptyScanTable();
    files_.clear();
}

Table ScanPanel::exportTable() const {
    return prepararexportacionscan(table_, checks());
}

void ScanPanel::run() {
    startRun([this](const RunInputs& in, const ProgressCallback& progress) -> RunResults {
        auto run = runScan(in.rows, in.messages, in.decimal, progress);
        if (!run)
            return {};
        auto result = std::make_shared<ScanRun>(std::move(*run));
        return [this, result] {
            table_ = std::move(result->table);
            files_ = scanPointsOf(result->files);
            untick(result->untick);
            if (result->nonScanMet)
                notify(Msg::NotScanJobsUnticked, true);
            std::vector<std::string> unreadable;
            for (const Error& e : result->failures) unreadable.push_back(e.describe());
            return unreadable;
        };
    });
}

void ScanPanel::retranslateTitles(const std::function<QString(const QString&)>& translate) {
    retranslateTitleRow(table_, translate);
}

}  // namespace zerlant::gui
