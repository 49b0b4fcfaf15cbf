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

    // runButton: writes <current folder>/<batchName>.bcf for the ticked files
    // and shows it in batchText.  An empty name is refused with a message.
    void execute();

    QLineEdit* batchName = nullptr;
    QLineEdit* outputExtension = nullptr;
    QCheckBox* fullPaths = nullptr;
    QPushButton* runButton = nullptr;
    QPlainTextEdit* batchText = nullptr;
};

}  // namespace zerlant::gui
