#include "gui/mainwindow/scanpanel.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <optional>

#include "core/scan/scanrun.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/filelistmodel.hpp"

namespace zerlant::gui {

namespace {

// In column order: file, formula, method, basis set, charge, CPU time, status.
constexpr std::array<const char*, kScanFileColumns> kBoxNames = {
    "CHKfile1", "CHKformula1", "CHKmetodo1", "CHKbase1", "CHKcarga1", "CHKtiempo1", "CHKok1"};

}  // namespace

ScanPanel::ScanPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Scan, "FRAscan", context.app.msg(59), "BTejecutar4", "BTtextos",
                   "BTexcels") {
    for (std::size_t i = 0; i < kScanFileColumns; ++i) {
        boxes_[i] =
            makeCheckBox(this, kBoxNames[i], context.app.msg(kScanCaptionMessages[i]), true);
    }
    auto* row = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(24);
    for (std::size_t i = 0; i < kScanFileColumns; ++i) {
        grid->addWidget(boxes_[i], static_cast<int>(i % 4), static_cast<int>(i / 4));
    }
    grid->setRowStretch(4, 1);
    row->addLayout(grid);
    row->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(runButton());
    buttons->addWidget(textButton());
    buttons->addWidget(sheetButton());
    buttons->addStretch(1);
    row->addLayout(buttons);
    table_ = emptyScanTable();
}

ScanColumnChecks ScanPanel::checks() const {
    ScanColumnChecks result{};
    for (std::size_t i = 0; i < kScanFileColumns; ++i) result[i] = boxes_[i]->isChecked();
    return result;
}

void ScanPanel::panelShown() {
    table_ = emptyScanTable();
}

Table ScanPanel::exportTable() const {
    return prepararexportacionscan(table_, checks());
}

void ScanPanel::run() {
    const FileRows rows = ctx_.list.list().rows();
    const MessageLookup messages = ctx_.app.lookup();
    const char decimal = ctx_.app.decimalSeparator();
    auto outcome = std::make_shared<std::optional<ScanRun>>();

    ctx_.runner.start(
        title(), tickedRows(),
        [rows, messages, decimal, outcome](const ProgressCallback& progress) {
            *outcome = runScan(rows, messages, decimal, progress);
        },
        [this, outcome](bool) {
            if (!outcome->has_value())
                return;
            ScanRun& result = outcome->value();
            table_ = std::move(result.table);
            untick(result.untick);
            if (result.nonScanMet)
                notify(133, true);
            setExportEnabled(true);
            emit runFinished();
        });
}

}  // namespace zerlant::gui
