#pragma once
// A ball-and-stick drawing of one geometry with QPainter: depth-sorted shaded
// balls and two-coloured sticks, optional atom labels, displacement arrows of
// a normal mode, and the distance, angle or dihedral of two to four clicked
// atoms.  Drag rotates (left), pans (right or middle); the wheel and +/-
// zoom; arrow keys rotate, Shift+arrows pan, Home resets the view.  The
// maths (projection, picking, bonds, measures) is the core's.

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <vector>

#include "core/molecule/camera.hpp"
#include "core/molecule/geometry.hpp"

namespace zerlant::gui {

class StructureCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit StructureCanvas(QWidget* parent = nullptr);

    // A new molecule: bonds found, the view reset, picks cleared.
    void setAtoms(std::vector<CartesianAtom> atoms);
    // The same molecule in another position (a mode frame, an optimisation
    // step): bonds found again, the view and the picks kept.
    void moveAtoms(std::vector<CartesianAtom> atoms);
    const std::vector<CartesianAtom>& atoms() const { return atoms_; }
    const std::vector<molecule::Bond>& bonds() const { return bonds_; }
    // Per atom, an arrow (angstrom) drawn from it; empty for none.
    void setArrows(std::vector<molecule::Vec3> arrows);
    // Shown instead of a molecule when there is none, or over it.
    void setNotice(const QString& text);
    void setShowLabels(bool show);
    bool showLabels() const { return labels_; }
    // Texts of the measures: "%1" is the value.
    // The decimal separator is the user's.
    void setMeasureCaptions(const QString& distance, const QString& angle, const QString& dihedral,
                            QChar decimal);

    // Clicks an atom as the mouse would: the fifth click starts a new
    // measure, a click on a picked atom takes it back, empty space clears.
    void clickAt(const QPointF& pixel);
    const std::vector<std::size_t>& picked() const { return picked_; }
    // The measure shown, or the empty text.
    QString measureText() const;

    void resetView();
    molecule::Camera& camera() { return camera_; }
    // The drawing at `size`, as saved to PNG and as painted.
    QImage image(QSize size);
    void render(QPainter& painter, QSize size);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const QImage& sphere(int atomicNumber, int radius);

    std::vector<CartesianAtom> atoms_;
    std::vector<molecule::Bond> bonds_;
    std::vector<molecule::Vec3> arrows_;
    std::vector<std::size_t> picked_;
    molecule::Camera camera_;
    QString notice_;
    QString distanceCaption_ = "%1 A", angleCaption_ = "%1 deg", dihedralCaption_ = "%1 deg";
    QChar decimal_ = '.';
    bool labels_ = false;
    bool fitted_ = false;
    QPoint pressAt_, lastAt_;
    Qt::MouseButton dragging_ = Qt::NoButton;
    bool moved_ = false;
    QHash<qint64, QImage> sprites_;  // shaded balls by element and radius
};

}  // namespace zerlant::gui
