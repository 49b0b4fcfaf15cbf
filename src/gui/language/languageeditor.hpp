#pragma once
// The language editor window (frmIdioma): the whole language file as one
// grid, message numbers down the side and one column per language.  Any text
// is edited in place; one new language can be added at a time; Save writes
// the whole file anew (atomically); Print prints the file as saved.  The
// rules live in the core model (core/language/languageeditor.hpp).

#include <QMessageBox>
#include <QWidget>
#include <functional>

#include "core/language/languageeditor.hpp"

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace zerlant::gui {

class AppContext;
class Dialogs;

class LanguageEditor : public QWidget {
    Q_OBJECT
  public:
    // Opens on the languages read at start-up (or as left by the last save).
    // A file that cannot be read gives an empty grid and a message.
    LanguageEditor(const AppContext& app, const LanguageState& languages, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    const LanguageEditorModel& model() const { return model_; }
    QTableWidget* grid() const { return grid_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* newButton() const { return new_; }
    QPushButton* printButton() const { return print_; }
    QPushButton* closeButton() const { return close_; }

    // The closing question (Yes / No / Cancel).  Tests replace it.
    using Question = std::function<QMessageBox::StandardButton(QWidget*, const QString& title,
                                                               const QString& text)>;
    void setQuestion(Question question) { question_ = std::move(question); }

  public slots:
    // btguardar.  True when the file now holds the grid as shown.
    bool save();
    // btnuevo.
    void addLanguage();
    // btimprimir.
    void print();
    // Opens the edit box on a cell, as a click does.
    void editCell(int row, int col);

  signals:
    // A save wrote the file; `languages` lists the languages now in it (a new
    // one last), for the main window's language menu.
    void languagesSaved(const zerlant::LanguageState& languages);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fillGrid();
    void styleHeading(int col);
    void sizeColumns();
    void cellChanged(QTableWidgetItem* item);
    void enterPressed();

    const AppContext& app_;
    Dialogs& dialogs_;
    LanguageEditorModel model_;
    QTableWidget* grid_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* new_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
    Question question_;
    bool filling_ = false;
};

}  // namespace zerlant::gui
