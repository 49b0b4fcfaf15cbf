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

    // The rule chosen (OPToption 0..6).
    int rule() const;

    // The rule and its parameters as the controls show them now.
    RenameOptions renameOptions() const;

    // BTpreview: the new-name column for every entry, ticked or not.
    void preview();
    // BTejecutar: a fresh preview, the checks (rows left out are unticked,
    // with a message per kind), then the renames in list order; the list and
    // the folder's file list show the new names.
    void execute();
    // BTdeshacer: puts back the names of the last run (see undojournal.hpp).
    void undo();
    void panelShown() override;

    // Rule choice and its frames.
    QButtonGroup* OPToption = nullptr;
    QStackedWidget* FRAoption = nullptr;

    // 0: insert.
    QLineEdit* TXTinsertar = nullptr;
    QButtonGroup* OPTinsertar = nullptr;
    QSpinBox* TXTinsertcont = nullptr;
    QCheckBox* CHKext = nullptr;
    // 1: delete.
    QGroupBox* Frame1 = nullptr;
    QButtonGroup* OPTdesde = nullptr;
    QSpinBox* TXTdesdecount = nullptr;
    QLineEdit* TXTdesde = nullptr;
    QGroupBox* Frame2 = nullptr;
    QButtonGroup* OPThasta = nullptr;
    QSpinBox* TXThastacount = nullptr;
    QLineEdit* TXThasta = nullptr;
    QCheckBox* CHKdext = nullptr;
    // 2: remove a text.
    QLineEdit* TXTquitar = nullptr;
    QButtonGroup* OPTquitar = nullptr;
    // 3: replace a text.
    QLineEdit* TXTreemp = nullptr;
    QLineEdit* TXTreemp1 = nullptr;
    QButtonGroup* OPTreemp = nullptr;
    // 4: new extension.
    QLineEdit* TXText = nullptr;
    // 5: letter case.
    QButtonGroup* OPTmm = nullptr;
    QCheckBox* CHKmm = nullptr;
    // 6: numbering.
    QSpinBox* TXTinicont = nullptr;
    QSpinBox* TXTlencont = nullptr;
    QLineEdit* TXTnum = nullptr;
    QButtonGroup* OPTnum = nullptr;
    QSpinBox* TXTnumcont = nullptr;
    QCheckBox* CHKnext = nullptr;

    QPushButton* BTpreview = nullptr;
    QPushButton* BTejecutar = nullptr;
    QPushButton* BTdeshacer = nullptr;

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
