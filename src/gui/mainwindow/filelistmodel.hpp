#pragma once
// The working file list as a Qt model: column 0 the check box, column 1 the
// file name, column 2 (Rename panel only) the proposed new name.  Model row i
// is entry i + 1 of the core list; the heading row is the header, whose
// check box in section 0 is the switch-all.
//
// userEdited() is emitted for every change the user makes (adding, removing,
// ticking); the tools' own changes (unticking, new names) do not emit it.

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

#include "core/filelist/workinglist.hpp"

namespace zerlant::gui {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const WorkingFileList& list() const { return list_; }

    // Entries are numbered from 1 as in the core list (row 0 is the heading).
    std::size_t entryCount() const { return list_.entryCount(); }
    bool isChecked(std::size_t entry) const { return list_.isChecked(entry); }
    bool headingChecked() const { return list_.isChecked(0); }
    QString name(std::size_t entry) const;
    QString path(std::size_t entry) const;
    QString newName(std::size_t entry) const;

    // User actions.
    void reset(int columns, const QString& heading1, const QString& heading2 = {});
    int add(const QString& folder, const QStringList& names);
    int addPaths(const QStringList& paths);
    int removeChecked();
    // Removes the entries of the given model rows (0-based, any order).
    void removeEntries(const QList<int>& rows);
    void removeAll();
    void switchAll();
    void toggle(std::size_t entry);

    // Tool actions (no userEdited()).  Entry 0 is the heading's box.
    void setChecked(std::size_t entry, bool checked);
    void setNewName(std::size_t entry, const QString& name);
    void setEntry(std::size_t entry, const QString& name, const QString& path);
    // Replaces the check marks of every row, heading included, by those of
    // `rows` (same length), as a run leaves them.
    void applyChecks(const FileRows& rows);
    // New heading texts (another language); the entries stay.
    void setHeadings(const QString& heading1, const QString& heading2 = {});

  signals:
    void userEdited();
    void headingCheckChanged(bool checked);

  private:
    // Adds rows through `addTo` (which returns how many it appended) and
    // tells the views.
    int append(const std::function<std::size_t(WorkingFileList&)>& addTo);
    void entryChanged(std::size_t entry, int column);

    WorkingFileList list_;
};

}  // namespace zerlant::gui
