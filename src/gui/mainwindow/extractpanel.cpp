#include "gui/mainwindow/extractpanel.hpp"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "core/extract/extraction.hpp"
#include "core/filelist/workinglist.hpp"
#include "core/results/exporttable.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/mainwindow/filelistmodel.hpp"

namespace zerlant::gui {

namespace {

// The object name of each box, in ExtractBox order.
constexpr std::array<const char*, kExtractBoxCount> kBoxNames = {
    "CHKfile",      "CHKformula", "CHKmetodo",     "CHKbase",        "CHKcarga",
    "CHKsimetria",  "CHKenergia", "CHKenergiaOPT", "CHKenergiaOtra", "CHKhomo",
    "CHKlumo",      "CHKmomento", "CHKvolumen",    "CHKa0",          "CHKr2",
    "CHKeps",       "CHKrsolv",   "CHKtg",         "CHKcav",         "CHKdg",
    "CHKtiempo",    "CHKok",      "CHKpolar",      "CHKmulliken",    "CHKenergiaorbital",
    "CHKgeometria", "CHKfreq",    "CHKtermo",      "CHKTD"};

// The boxes in the panel's columns, separated by thin lines.
const std::vector<std::vector<ExtractBox>>& boxColumns() {
    using B = ExtractBox;
    static const std::vector<std::vector<ExtractBox>> columns = {
        {B::File, B::Formula, B::Method, B::Basis, B::Charge, B::Symmetry, B::CpuTime, B::Status},
        {B::Energy, B::EnergyOpt, B::EnergyMethod, B::Homo, B::Lumo, B::Orbitals, B::Dipole,
         B::Polar},
        {B::Volume, B::A0, B::R2, B::Eps, B::RSolv, B::NonElectrostatic, B::Cavitation, B::DeltaG},
        {B::Mulliken, B::Geometry, B::Freq, B::Thermo, B::TD},
    };
    return columns;
}

QFrame* separator(QWidget* parent, const char* name) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

bool initiallyTicked(ExtractBox b) {
    return b == ExtractBox::File || b == ExtractBox::Formula || b == ExtractBox::Method ||
           b == ExtractBox::Basis || b == ExtractBox::Status;
}

}  // namespace

ExtractPanel::ExtractPanel(PanelContext& context)
    : ReadingPanel(context, Panel::Extract, "FRAextraer", context.app.msg(51), "BTejecutar1",
                   "BTtexto", "BTexcel") {
    for (std::size_t i = 0; i < kExtractBoxCount; ++i) {
        const auto b = static_cast<ExtractBox>(i);
        boxes_[i] = makeCheckBox(this, kBoxNames[i], context.app.msg(extractBoxMessage(b)),
                                 initiallyTicked(b));
    }

    auto* row = new QHBoxLayout(this);
    const char* separators[] = {"Frame3", "Frame4", "Frame5"};
    int column = 0;
    for (const auto& boxes : boxColumns()) {
        if (column > 0)
            row->addWidget(separator(this, separators[column - 1]));
        auto* col = new QVBoxLayout;
        col->setSpacing(2);
        for (ExtractBox b : boxes) col->addWidget(box(b));
        col->addStretch(1);
        row->addLayout(col);
        ++column;
    }
    row->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(runButton());
    buttons->addWidget(textButton());
    buttons->addWidget(sheetButton());
    buttons->addStretch(1);
    row->addLayout(buttons);

    resultTable_ = newResultTable(boxes());
    resultTable_.resizeRows(1);
}

ExtractBoxes ExtractPanel::boxes() const {
    ExtractBoxes result;
    for (std::size_t i = 0; i < kExtractBoxCount; ++i) {
        auto& state = result[static_cast<ExtractBox>(i)];
        state.caption = boxes_[i]->text().toStdString();
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

void ExtractPanel::run() {
    const FileRows rows = ctx_.list.list().rows();
    const ExtractBoxes current = boxes();
    const MessageLookup messages = ctx_.app.lookup();
    const char decimal = ctx_.app.decimalSeparator();
    auto outcome = std::make_shared<ExtractionOutcome>();

    ctx_.runner.start(
        title(), tickedRows(),
        [rows, current, messages, decimal, outcome](const ProgressCallback& progress) {
            *outcome = runExtraction(rows, current, messages, decimal, progress);
        },
        [this, outcome](bool) {
            if (outcome->cancelled)
                return;
            resultTable_ = std::move(outcome->resultTable);
            if (outcome->detail.contadorficheros > 0)
                detail_ = std::move(outcome->detail);
            untick(outcome->untick);
            if (outcome->scanMet)
                notify(134, true);
            setExportEnabled(true);
            emit runFinished();
        });
}

}  // namespace zerlant::gui
