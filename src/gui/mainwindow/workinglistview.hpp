#pragma once
// The table that shows the working file list: a check-box header whose box
// switches every row, Enter and Space toggling the current row, Delete
// removing the selected rows, and files dropped from a file manager.

#include <QHeaderView>
#include <QStringList>
#include <QTableView>

namespace zerlant::gui {

class FileListModel;

// The horizontal header: section 0 draws the heading row's check box and a
// press on it asks for the switch-all.
class CheckHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit CheckHeader(QWidget* parent = nullptr);

  signals:
    void switchAllRequested();

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
};

class WorkingListView : public QTableView {
    Q_OBJECT
  public:
    explicit WorkingListView(QWidget* parent = nullptr);

    void setFileModel(FileListModel* model);
    FileListModel* fileModel() const { return model_; }
    CheckHeader* checkHeader() const { return header_; }

  signals:
    // Local files dropped onto the list.
    void filesDropped(const QStringList& paths);
    // Any press of a mouse button in the list or on its heading.
    void clickedInList();
    // Delete: the selected rows (0-based model rows).
    void removeSelectedRequested(const QList<int>& rows);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void fitColumns();

    FileListModel* model_ = nullptr;
    CheckHeader* header_ = nullptr;
};

}  // namespace zerlant::gui
