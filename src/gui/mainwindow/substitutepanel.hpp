#pragma once
// The Substitute panel: the block to look for, the block to put in its place,
// every or only the first occurrence, and the run over the ticked files.

#include "gui/mainwindow/toolpanel.hpp"

class QButtonGroup;
class QPlainTextEdit;

namespace zerlant::gui {

class SubstitutePanel : public ToolPanel {
    Q_OBJECT
  public:
    explicit SubstitutePanel(PanelContext& context);

    // runButton: counts the ticked files that hold the block and asks
    // before writing; records the run for Undo, then rewrites those files.
    // Files that could not be read or written are named in one message; the
    // others are done.
    void execute();
    // undoButton: undoes the last run (see undojournal.hpp).
    void undo();
    void panelShown() override;

    QPlainTextEdit* blockFrom = nullptr;
    QPlainTextEdit* blockTo = nullptr;
    QPushButton* pasteFromButton = nullptr;
    QPushButton* pasteToButton = nullptr;
    QButtonGroup* occurrenceChoice = nullptr;  // 0 every occurrence, 1 only the first
    QPushButton* runButton = nullptr;
    QPushButton* undoButton = nullptr;
};

}  // namespace zerlant::gui
