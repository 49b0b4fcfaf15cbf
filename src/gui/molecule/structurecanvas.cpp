#include "gui/molecule/structurecanvas.hpp"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/molecule/elements.hpp"

namespace zerlant::gui {

using namespace zerlant::molecule;

namespace {

QColor colourOf(int atomicNumber) {
    return QColor::fromRgb(static_cast<QRgb>(elementStyle(atomicNumber).rgb));
}

constexpr double kStickRadius = 0.09;  // angstrom
constexpr double kTurnStep = 5.0;      // degrees per arrow key
constexpr double kPanStep = 20.0;      // pixels per Shift+arrow
constexpr double kZoomStep = 1.15;

}  // namespace

StructureCanvas::StructureCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("structureCanvas");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StructureCanvas::setAtoms(std::vector<CartesianAtom> atoms) {
    atoms_ = std::move(atoms);
    bonds_ = findBonds(atoms_);
    arrows_.clear();
    picked_.clear();
    resetView();
}

void StructureCanvas::moveAtoms(std::vector<CartesianAtom> atoms) {
    if (atoms.size() != atoms_.size()) {
        setAtoms(std::move(atoms));
        return;
    }
    atoms_ = std::move(atoms);
    bonds_ = findBonds(atoms_);
    update();
}

void StructureCanvas::setArrows(std::vector<Vec3> arrows) {
    arrows_ = std::move(arrows);
    update();
}

void StructureCanvas::setNotice(const QString& text) {
    notice_ = text;
    update();
}

void StructureCanvas::setShowLabels(bool show) {
    labels_ = show;
    update();
}

void StructureCanvas::setMeasureCaptions(const QString& distance, const QString& angle,
                                         const QString& dihedral, QChar decimal) {
    distanceCaption_ = distance;
    angleCaption_ = angle;
    dihedralCaption_ = dihedral;
    decimal_ = decimal;
    update();
}

void StructureCanvas::resetView() {
    camera_.fit(atoms_, width(), height());
    fitted_ = true;
    update();
}

void StructureCanvas::clickAt(const QPointF& pixel) {
    const auto hit = pickAtom(camera_, atoms_, pixel.x(), pixel.y());
    if (!hit) {
        picked_.clear();
    } else if (const auto at = std::find(picked_.begin(), picked_.end(), *hit);
               at != picked_.end()) {
        picked_.erase(at);
    } else {
        if (picked_.size() == 4)
            picked_.clear();
        picked_.push_back(*hit);
    }
    update();
}

QString StructureCanvas::measureText() const {
    const auto m = measure(atoms_, picked_);
    if (!m)
        return {};
    const bool length = m->kind == Measure::Kind::Distance;
    QString value = QString::number(m->value, 'f', length ? 4 : 2);
    value.replace(QLatin1Char('.'), decimal_);
    const QString& caption = length                            ? distanceCaption_
                             : m->kind == Measure::Kind::Angle ? angleCaption_
                                                               : dihedralCaption_;
    QString names;
    for (std::size_t i : picked_) {
        if (!names.isEmpty())
            names += QLatin1Char('-');
        names += QString::fromStdString(atoms_[i].symbol) + QString::number(i + 1);
    }
    return names + "  " + caption.arg(value);
}

const QImage& StructureCanvas::sphere(int atomicNumber, int radius) {
    const qint64 key = (static_cast<qint64>(atomicNumber) << 32) | radius;
    auto found = sprites_.find(key);
    if (found != sprites_.end())
        return *found;
    if (sprites_.size() > 2000)
        sprites_.clear();
    const int side = 2 * radius + 2;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = colourOf(atomicNumber);
    // Light from the upper left, towards the viewer.
    QRadialGradient shade(QPointF(side * 0.38, side * 0.35), radius * 1.25);
    shade.setColorAt(0.0, base.lighter(170));
    shade.setColorAt(0.45, base);
    shade.setColorAt(1.0, base.darker(260));
    p.setBrush(shade);
    p.setPen(QPen(base.darker(300), radius > 6 ? 1.0 : 0.5));
    p.drawEllipse(QRectF(1, 1, 2 * radius, 2 * radius));
    return *sprites_.insert(key, image);
}

void StructureCanvas::render(QPainter& painter, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), QColor(250, 250, 252));
    painter.setRenderHint(QPainter::Antialiasing);
    if (atoms_.empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(QPoint(0, 0), size).adjusted(12, 12, -12, -12),
                         Qt::AlignCenter | Qt::TextWordWrap, notice_);
        return;
    }
    camera_.resize(size.width(), size.height());
    const double scale = camera_.scale();
    std::vector<ScreenPoint> at(atoms_.size());
    for (std::size_t i = 0; i < atoms_.size(); ++i) at[i] = camera_.project(position(atoms_[i]));

    // Balls and the halves of the sticks, drawn farthest first.
    struct Item {
        double depth;
        std::size_t index;  // atom, or bond when `half` >= 0
        int half;
    };
    std::vector<Item> items;
    items.reserve(atoms_.size() + 2 * bonds_.size());
    for (std::size_t i = 0; i < atoms_.size(); ++i) items.push_back({at[i].depth, i, -1});
    for (std::size_t b = 0; b < bonds_.size(); ++b) {
        const ScreenPoint& p = at[bonds_[b].a];
        const ScreenPoint& q = at[bonds_[b].b];
        // Each half sits just behind the ball it starts from.
        items.push_back({(3 * p.depth + q.depth) / 4 - 1e-3, b, 0});
        items.push_back({(p.depth + 3 * q.depth) / 4 - 1e-3, b, 1});
    }
    std::sort(items.begin(), items.end(),
              [](const Item& x, const Item& y) { return x.depth < y.depth; });

    const double stick = std::max(1.5, 2 * kStickRadius * scale);
    for (const Item& item : items) {
        if (item.half < 0) {
            const CartesianAtom& a = atoms_[item.index];
            const int r = std::clamp(
                static_cast<int>(std::lround(ballRadius(a.atomicNumber) * scale)), 1, 400);
            painter.drawImage(QPointF(at[item.index].x - r - 1, at[item.index].y - r - 1),
                              sphere(a.atomicNumber, r));
            continue;
        }
        const Bond& bond = bonds_[item.index];
        const std::size_t from = item.half == 0 ? bond.a : bond.b;
        const std::size_t to = item.half == 0 ? bond.b : bond.a;
        const QPointF p(at[from].x, at[from].y);
        const QPointF q(at[to].x, at[to].y);
        const QPointF mid = (p + q) / 2;
        const QColor c = colourOf(atoms_[from].atomicNumber);
        painter.setPen(QPen(c.darker(170), stick, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(p, mid);
        // A lighter core line shades the stick as a cylinder, where the
        // stick is wide enough to show it.
        if (stick >= 4.0) {
            painter.setPen(QPen(c.lighter(140), stick * 0.45, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(p, mid);
        }
    }

    if (!arrows_.empty()) {
        painter.setPen(QPen(QColor(0, 140, 60), std::max(1.5, scale * 0.04)));
        painter.setBrush(QColor(0, 140, 60));
        for (std::size_t i = 0; i < atoms_.size() && i < arrows_.size(); ++i) {
            const Vec3 p = position(atoms_[i]);
            const ScreenPoint tip =
                camera_.project({p[0] + arrows_[i][0], p[1] + arrows_[i][1], p[2] + arrows_[i][2]});
            const QPointF a(at[i].x, at[i].y), b(tip.x, tip.y);
            const QPointF d = b - a;
            const double len = std::hypot(d.x(), d.y());
            if (len < 3)
                continue;
            painter.drawLine(a, b);
            const QPointF u = d / len, n(-u.y(), u.x());
            const double head = std::min(10.0, len * 0.4);
            painter.drawPolygon(
                QPolygonF{b, b - u * head + n * head * 0.45, b - u * head - n * head * 0.45});
        }
        painter.setBrush(Qt::NoBrush);
    }

    if (labels_) {
        painter.setPen(Qt::black);
        const QFontMetrics fm = painter.fontMetrics();
        for (std::size_t i = 0; i < atoms_.size(); ++i) {
            const QString text = QString::fromStdString(atoms_[i].symbol) + QString::number(i + 1);
            const QRect box = fm.boundingRect(text);
            const QPointF corner(at[i].x - box.width() / 2.0, at[i].y + fm.ascent() / 2.0 - 1);
            painter.fillRect(
                QRectF(corner.x() - 1, corner.y() - fm.ascent(), box.width() + 2, fm.height()),
                QColor(255, 255, 255, 170));
            painter.drawText(corner, text);
        }
    }

    if (!picked_.empty()) {
        painter.setPen(QPen(QColor(230, 120, 0), 2.0, Qt::DashLine));
        for (std::size_t k = 1; k < picked_.size(); ++k)
            painter.drawLine(QPointF(at[picked_[k - 1]].x, at[picked_[k - 1]].y),
                             QPointF(at[picked_[k]].x, at[picked_[k]].y));
        painter.setPen(QPen(QColor(230, 120, 0), 2.5));
        for (std::size_t i : picked_) {
            const double r = ballRadius(atoms_[i].atomicNumber) * scale + 4;
            painter.drawEllipse(QPointF(at[i].x, at[i].y), r, r);
        }
        if (const QString text = measureText(); !text.isEmpty()) {
            QFont bold = painter.font();
            bold.setBold(true);
            painter.setFont(bold);
            const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-6, -4, 6, 4);
            const QRect placed(QPoint(8, 8), box.size());
            painter.fillRect(placed, QColor(255, 255, 255, 220));
            painter.setPen(QColor(160, 70, 0));
            painter.drawText(placed, Qt::AlignCenter, text);
        }
    }
    if (!notice_.isEmpty()) {
        const QRect area(QPoint(0, 0), size);
        const QRect box = painter.fontMetrics()
                              .boundingRect(area.adjusted(12, 0, -12, 0), Qt::TextWordWrap, notice_)
                              .adjusted(-6, -4, 6, 4);
        const QRect placed(QPoint(8, size.height() - box.height() - 8), box.size());
        painter.fillRect(placed, QColor(255, 244, 214, 235));
        painter.setPen(QColor(120, 60, 0));
        painter.drawText(placed.adjusted(6, 4, -6, -4), Qt::TextWordWrap, notice_);
    }
}

QImage StructureCanvas::image(QSize size) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.setFont(font());
    render(painter, size);
    painter.end();
    camera_.resize(width(), height());
    return out;
}

void StructureCanvas::paintEvent(QPaintEvent*) {
    if (!fitted_)
        resetView();
    QPainter painter(this);
    render(painter, size());
}

void StructureCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Before the first paint the view is fitted to the final size.
    if (!isVisible() || !fitted_)
        camera_.fit(atoms_, width(), height());
    camera_.resize(width(), height());
}

void StructureCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    pressAt_ = lastAt_ = event->position().toPoint();
    dragging_ = event->button();
    moved_ = false;
}

void StructureCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ == Qt::NoButton)
        return;
    const QPoint now = event->position().toPoint();
    if ((now - pressAt_).manhattanLength() > 3)
        moved_ = true;
    const QPoint d = now - lastAt_;
    lastAt_ = now;
    if (!moved_)
        return;
    if (dragging_ == Qt::LeftButton && !(event->modifiers() & Qt::ShiftModifier))
        camera_.rotate(d.x(), d.y());
    else
        camera_.pan(d.x(), d.y());
    update();
}

void StructureCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ == Qt::LeftButton && !moved_)
        clickAt(event->position());
    dragging_ = Qt::NoButton;
}

void StructureCanvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0.0) {
        camera_.zoom(std::pow(kZoomStep, steps));
        update();
    }
    event->accept();
}

void StructureCanvas::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
        case Qt::Key_Left:
            shift ? camera_.pan(-kPanStep, 0) : camera_.turn(-kTurnStep, 0);
            break;
        case Qt::Key_Right:
            shift ? camera_.pan(kPanStep, 0) : camera_.turn(kTurnStep, 0);
            break;
        case Qt::Key_Up:
            shift ? camera_.pan(0, -kPanStep) : camera_.turn(0, -kTurnStep);
            break;
        case Qt::Key_Down:
            shift ? camera_.pan(0, kPanStep) : camera_.turn(0, kTurnStep);
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            camera_.zoom(kZoomStep);
            break;
        case Qt::Key_Minus:
            camera_.zoom(1 / kZoomStep);
            break;
        case Qt::Key_Home:
            resetView();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    update();
}

}  // namespace zerlant::gui
