#pragma once
// The thermochemistry of the ticked files in the results view: the files are
// read once, then every change of a setting (temperature, pressure, standard
// state, scale factor, quasi-harmonic cutoff and enthalpy, relative energies)
// recomputes the table at once.  One row per file with the columns of
// zerlant-cli thermo, and beside the file a note saying why it has no values
// or that imaginary frequencies were left out.

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"
#include "core/thermo/thermotable.hpp"
#include "gui/mainwindow/backgroundrun.hpp"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zerlant::gui {

class AppContext;
class Dialogs;
class ResultTableModel;

// One ticked file as read: its row at the default settings (the reason in
// row.error when it has no values), and its frequency step, kept to recompute
// the row at other settings (none when the file has no complete one).
struct ThermoFile {
    std::string path;
    thermo::ThermoRow row;
    std::optional<thermo::FrequencyStep> step;
    // The single point paired by the view's suffix, or why there is none;
    // nullopt without a suffix.
    std::optional<Result<thermo::SinglePoint>> singlePoint;
};

// Reads the ticked entries of a working list (row 0, the heading, is not a
// file); nullopt when `progress` cancels.
std::optional<std::vector<ThermoFile>> readThermoFiles(const FileRows& rows,
                                                       const ProgressCallback& progress);

class ThermoView : public QWidget {
    Q_OBJECT
  public:
    ThermoView(const AppContext& app, Dialogs& dialogs, QWidget* parent = nullptr);

    // The column of the note in the table; the command line's columns follow.
    static constexpr int kNoteColumn = 1;

    // Takes the files of a run and shows their table.
    void setFiles(std::vector<ThermoFile> files);
    const std::vector<ThermoFile>& files() const { return files_; }

    // The request the settings make, and the rows computed with it.
    thermo::ThermoRequest request() const;
    // Sets every setting but the reference file, and recomputes once.
    void setRequest(const thermo::ThermoRequest& request);
    const std::vector<thermo::ThermoRow>& rows() const { return rows_; }
    // Why a row has no values (or the note on left-out imaginary modes), in
    // the window's language.
    QString note(const thermo::ThermoRow& row) const;

    QTableView* table() const { return table_; }
    QDoubleSpinBox* temperatureBox() const { return temperature_; }
    QDoubleSpinBox* pressureBox() const { return pressure_; }
    QCheckBox* concentrationCheck() const { return useConcentration_; }
    QDoubleSpinBox* concentrationBox() const { return concentration_; }
    QDoubleSpinBox* scaleBox() const { return scale_; }
    QCheckBox* scaleFromTableCheck() const { return scaleFromTable_; }
    QDoubleSpinBox* cutoffBox() const { return cutoff_; }
    QCheckBox* enthalpyCheck() const { return qhEnthalpy_; }
    QCheckBox* relativeCheck() const { return relative_; }
    QComboBox* unitBox() const { return unit_; }
    QComboBox* referenceBox() const { return reference_; }
    // The suffix of the single points: x.log's is x_SUFFIX.log beside it.
    QLineEdit* singlePointSuffixBox() const { return spcSuffix_; }

    // The table as zerlant-cli thermo writes it: CSV, or a workbook for a
    // name ending in .xlsx.  False (after a message) when it cannot be written.
    bool exportTo(const QString& path);

  public slots:
    // Recomputes the rows from the files with the current settings.
    void recompute();
    // Takes the captions of the table and the reference list from the
    // current language (the other captions follow the window's).
    void retranslate();
    // Asks where to write the table, then writes it.
    void exportTable();
    // Pairs each file with its single point by the suffix entered (reading
    // both), then recomputes; an empty suffix drops the single points.
    void pairSinglePoints();

  private:
    const AppContext& app_;
    Dialogs& dialogs_;
    std::vector<ThermoFile> files_;
    std::vector<thermo::ThermoRow> rows_;
    thermo::ThermoRequest shown_;  // the request of rows_
    int shownColumns_ = -1;

    QDoubleSpinBox* temperature_ = nullptr;
    QDoubleSpinBox* pressure_ = nullptr;
    QCheckBox* useConcentration_ = nullptr;
    QDoubleSpinBox* concentration_ = nullptr;
    QDoubleSpinBox* scale_ = nullptr;
    QCheckBox* scaleFromTable_ = nullptr;
    QDoubleSpinBox* cutoff_ = nullptr;
    QCheckBox* qhEnthalpy_ = nullptr;
    QCheckBox* relative_ = nullptr;
    QComboBox* unit_ = nullptr;
    QComboBox* reference_ = nullptr;
    QLineEdit* spcSuffix_ = nullptr;
    QString pairedSuffix_;  // the suffix the files' single points were paired by
    QPushButton* export_ = nullptr;
    QTableView* table_ = nullptr;
    ResultTableModel* model_ = nullptr;
};

}  // namespace zerlant::gui
