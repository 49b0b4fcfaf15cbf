#include "gui/mainwindow/aimpanel.hpp"

#include <QCheckBox>
#include <memory>

#include "core/aim/aimrun.hpp"
#include "gui/app/appcontext.hpp"

namespace zerlant::gui {

namespace {

constexpr std::array<const char*, kAimColumns> kBoxNames = {
    "CHKfileaim", "CHKtype", "CHKrho", "CHKdelsqrho", "CHKEllipticity", "CHKv", "CHKg", "CHKh"};

}  // namespace

AimPanel::AimPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Aim, "FRAaim", context.app.msg(Msg::ToolAim), "BTejecutar5",
                   "BTTextoA", "BTexcelA") {
    for (std::size_t i = 0; i < kAimColumns; ++i) {
        boxes_[i] = makeCheckBox(this, kBoxNames[i], context.app.msg(kAimCaptionMessages[i]), true);
    }
    layOut(inColumns({boxes_.begin(), boxes_.end()}, 4));
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
    startRun([this](const RunInputs& in, const ProgressCallback& progress) -> RunResults {
        auto run = runAim(in.rows, in.messages, in.decimal, progress);
        if (!run)
            return {};
        auto result = std::make_shared<AimRun>(std::move(*run));
        return [this, result] {
            table_ = std::move(result->table);
            untick(result->untick);
            std::vector<std::string> unreadable;
            for (const Error& e : result->failures) unreadable.push_back(e.describe());
            return unreadable;
        };
    });
}

void AimPanel::retranslateTitles(const std::function<QString(const QString&)>& translate) {
    retranslateTitleRow(table_, translate);
}

}  // namespace zerlant::gui
