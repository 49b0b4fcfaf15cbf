#include "gui/mainwindow/extractpanel.hpp"

#include <QCheckBox>
#include <memory>

#include "core/extract/extraction.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/tidyexport.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/captions.hpp"

namespace zerlant::gui {

namespace {

// The object name of each box, in ExtractBox order.
constexpr std::array<const char*, kExtractBoxCount> kBoxNames = {
    "CHKfile",      "CHKformula", "CHKmetodo",     "CHKbase",        "CHKcarga",
    "CHKsimetria",  "CHKenergia", "CHKenergiaOPT", "CHKenergiaOtra", "CHKhomo",
    "CHKlumo",      "CHKmomento", "CHKvolumen",    "CHKa0",          "CHKr2",
    "CHKeps",       "CHKrsolv",   "CHKtg",         "CHKcav",         "CHKdg",
    "CHKtiempo",    "CHKok",      "CHKpolar",      "CHKmulliken",    "CHKenergiaorbital",
    "CHKgeometria", "CHKfreq",    "CHKtermo",      "CHKTD",          "CHKmotivo",
    "CHKnimag",     "CHKfreqmin", "CHKs2",         "CHKconvergida"};

// The boxes in the panel's columns, separated by thin lines.
const std::vector<std::vector<ExtractBox>>& boxColumns() {
    using B = ExtractBox;
    static const std::vector<std::vector<ExtractBox>> columns = {
        {B::File, B::Formula, B::Method, B::Basis, B::Charge, B::Symmetry, B::CpuTime, B::Status},
        {B::Energy, B::EnergyOpt, B::EnergyMethod, B::Homo, B::Lumo, B::Orbitals, B::Dipole,
         B::Polar},
        {B::Volume, B::A0, B::R2, B::Eps, B::RSolv, B::NonElectrostatic, B::Cavitation, B::DeltaG},
        // The blocks, then the job health: a fifth column would make the
        // window too wide for a laptop screen once the results dock is shown.
        {B::Mulliken, B::Geometry, B::Freq, B::Thermo, B::TD, B::Reason, B::ImaginaryCount,
         B::LowestFrequency, B::SpinSquared, B::Converged},
    };
    return columns;
}

}  // namespace

ExtractPanel::ExtractPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Extract, "FRAextraer", context.app.msg(Msg::ToolExtract),
                   "BTejecutar1", "BTtexto", "BTexcel") {
    for (std::size_t i = 0; i < kExtractBoxCount; ++i) {
        const auto b = static_cast<ExtractBox>(i);
        boxes_[i] = makeCheckBox(this, kBoxNames[i], context.app.msg(extractBoxMessage(b)),
                                 extractQuantity(b).tickedAtStart);
    }

    std::vector<std::vector<QCheckBox*>> columns;
    for (const auto& boxes : boxColumns()) {
        columns.emplace_back();
        for (ExtractBox b : boxes) columns.back().push_back(box(b));
    }
    layOut(columns, {"Frame3", "Frame4", "Frame5"});

    resultTable_ = newResultTable(boxes());
    resultTable_.resizeRows(1);
}

ExtractBoxes ExtractPanel::boxes() const {
    ExtractBoxes result;
    for (std::size_t i = 0; i < kExtractBoxCount; ++i) {
        auto& state = result[static_cast<ExtractBox>(i)];
        state.caption = withoutMnemonic(boxes_[i]->text()).toStdString();
        state.ticked = boxes_[i]->isChecked();
    }
    return result;
}

void ExtractPanel::panelShown() {
    const auto layout = panelListLayout(Panel::Extract);
    detail_ = DetailTable{};
    detail_.table = Table(layout.tableColumns, layout.tableRows);
}

Table ExtractPanel::exportTable() const {
    return prepararexportacion(resultTable_, detail_.table, boxes());
}

std::optional<std::string> ExtractPanel::tidyExport(const std::string& format) const {
    const TidyResults results{records_};
    return format == "json" ? tidyJson(results, boxes()) : tidyCsv(results, boxes());
}

void ExtractPanel::run() {
    startRun([this, boxes = boxes()](const RunInputs& in,
                                     const ProgressCallback& progress) -> RunResults {
        auto outcome = std::make_shared<ExtractionOutcome>(
            runExtraction(in.rows, boxes, in.messages, in.decimal, progress));
        if (outcome->cancelled)
            return {};
        return [this, outcome] {
            resultTable_ = std::move(outcome->resultTable);
            records_ = std::move(outcome->records);
            // No file reached the detail table: it keeps what it held.
            if (outcome->detail.contadorficheros > 0)
                detail_ = std::move(outcome->detail);
            untick(outcome->untick);
            if (outcome->scanMet)
                notify(Msg::ScanJobsSkipped, true);
            return outcome->unreadable;
        };
    });
}

void ExtractPanel::retranslateTitles(const std::function<QString(const QString&)>& translate) {
    retranslateTitleRow(resultTable_, translate);
    retranslateTitleRow(detail_.table, translate);
}

}  // namespace zerlant::gui
