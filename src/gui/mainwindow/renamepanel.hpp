#pragma once
// The Rename panel: seven rules (insert, delete, remove, replace, extension,
// letter case, numbering), each with its own frame of parameters; only the
// chosen rule's frame is visible.  The preview writes the proposed names into
// the working list's third column.

#include <array>

#include "core/rename/renamerules.hpp"
#include "gui/mainwindow/toolpanel.hpp"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace zerlant::gui {

class RenamePanel : public ToolPanel {
    Q_OBJECT
  public:
    explicit RenamePanel(PanelContext& context);

    // The rule chosen (ruleChoice 0..6).
    int rule() const;

    // The rule and its parameters as the controls show them now.
    RenameOptions renameOptions() const;

    // previewButton: the new-name column for every entry, ticked or not.
    void preview();
    // runButton: a fresh preview, the checks (rows left out are unticked,
    // with a message per kind), then the renames in list order; the list and
    // the folder's file list show the new names.
    void execute();
    // undoButton: puts back the names of the last run (see undojournal.hpp).
    void undo();
    void panelShown() override;

    // Rule choice and its frames.
    QButtonGroup* ruleChoice = nullptr;
    QStackedWidget* ruleFrames = nullptr;

    // 0: insert.
    QLineEdit* insertText = nullptr;
    QButtonGroup* insertWhere = nullptr;
    QSpinBox* insertPosition = nullptr;
    QCheckBox* insertKeepExtension = nullptr;
    // 1: delete.
    QGroupBox* deleteFromFrame = nullptr;
    QButtonGroup* deleteFrom = nullptr;
    QSpinBox* deleteFromPosition = nullptr;
    QLineEdit* deleteFromDelimiter = nullptr;
    QGroupBox* deleteToFrame = nullptr;
    QButtonGroup* deleteTo = nullptr;
    QSpinBox* deleteToCount = nullptr;
    QLineEdit* deleteToDelimiter = nullptr;
    QCheckBox* deleteKeepExtension = nullptr;
    // 2: remove a text.
    QLineEdit* removeText = nullptr;
    QButtonGroup* removeWhich = nullptr;
    // 3: replace a text.
    QLineEdit* replaceText = nullptr;
    QLineEdit* replaceWith = nullptr;
    QButtonGroup* replaceWhich = nullptr;
    // 4: new extension.
    QLineEdit* newExtension = nullptr;
    // 5: letter case.
    QButtonGroup* caseChoice = nullptr;
    QCheckBox* caseKeepExtension = nullptr;
    // 6: numbering.
    QSpinBox* numberStart = nullptr;
    QSpinBox* numberWidth = nullptr;
    QLineEdit* numberFill = nullptr;
    QButtonGroup* numberWhere = nullptr;
    QSpinBox* numberPosition = nullptr;
    QCheckBox* numberKeepExtension = nullptr;

    QPushButton* previewButton = nullptr;
    QPushButton* runButton = nullptr;
    QPushButton* undoButton = nullptr;

  private:
    // Enables the boxes that the choices of the option arrays need.
    void updateEnabled();

    QWidget* insertFrame();
    QWidget* deleteFrame();
    QWidget* removeFrame();
    QWidget* replaceFrame();
    QWidget* extensionFrame();
    QWidget* caseFrame();
    QWidget* numberFrame();
};

}  // namespace zerlant::gui
