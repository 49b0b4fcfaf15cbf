#include "gui/mainwindow/aimpanel.hpp"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>
#include <optional>

#include "core/aim/aimrun.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/filelistmodel.hpp"

namespace zerlant::gui {

namespace {

constexpr std::array<const char*, kAimColumns> kBoxNames = {
    "CHKfileaim", "CHKtype", "CHKrho", "CHKdelsqrho", "CHKEllipticity", "CHKv", "CHKg", "CHKh"};

}  // namespace

AimPanel::AimPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Aim, "FRAaim", context.app.msg(190), "BTejecutar5", "BTTextoA",
                   "BTexcelA") {
    for (std::size_t i = 0; i < kAimColumns; ++i) {
        boxes_[i] = makeCheckBox(this, kBoxNames[i], context.app.msg(kAimCaptionMessages[i]), true);
    }
    auto* row = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(24);
    for (std::size_t i = 0; i < kAimColumns; ++i) {
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
    table_ = emptyAimTable();
}

AimColumnChecks AimPanel::checks() const {
    AimColumnChecks result{};
    for (std::size_t i = 0; i < kAimColumns; ++i) result[i] = boxes_[i]->isChecked();
    return result;
}

void AimPanel::panelShown() {
    table_ = emptyAimTable();
}

Table AimPanel::exportTable() const {
    return prepararexportacionaim(table_, checks());
}

void AimPanel::run() {
    const FileRows rows = ctx_.list.list().rows();
    const MessageLookup messages = ctx_.app.lookup();
    const char decimal = ctx_.app.decimalSeparator();
    auto outcome = std::make_shared<std::optional<AimRun>>();

    ctx_.runner.start(
        title(), tickedRows(),
        [rows, messages, decimal, outcome](const ProgressCallback& progress) {
            *outcome = runAim(rows, messages, decimal, progress);
        },
        [this, outcome](bool) {
            if (!outcome->has_value())
                return;
            AimRun& result = outcome->value();
            table_ = std::move(result.table);
            untick(result.untick);
            setExportEnabled(true);
            emit runFinished();
        });
}

}  // namespace zerlant::gui
