#pragma once
// The Batch-file panel: the name of the batch file, the extension of the
// output files, whether names carry their folder, the run, and the written
// file shown below.

#include "gui/mainwindow/toolpanel.hpp"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace zerlant::gui {

class BcfPanel : public ToolPanel {
    Q_OBJECT
  public:
    explicit BcfPanel(PanelContext& context);

    // BTejecutar3: writes <current folder>/<TXTbcf>.bcf for the ticked files
    // and shows it in RTBbcf.  An empty name is refused with a message.
    void execute();

    QLineEdit* TXTbcf = nullptr;
    QLineEdit* TXTbcfext = nullptr;
    QCheckBox* bcfpath = nullptr;
    QPushButton* BTejecutar3 = nullptr;
    QPlainTextEdit* RTBbcf = nullptr;
};

}  // namespace zerlant::gui
