#include "gui/app/splashwindow.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/app/appcontext.hpp"
#include "gui/app/credits.hpp"
#include "gui/app/icons.hpp"

namespace zerlant::gui {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

SplashWindow::SplashWindow(const AppContext& app, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(app.title());
    setWindowIcon(picture(Picture::AppIcon));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto* frame = new QFrame(this);
    frame->setObjectName("fraMainFrame");
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    outer->addWidget(frame);

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(18, 14, 18, 14);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(8);

    auto* image1 = label(frame, "Image1", {});
    image1->setPixmap(picture(Picture::AppIcon).pixmap(64, 64));
    image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* image2 = label(frame, "Image2", {});
    image2->setPixmap(picture(Picture::Extract).pixmap(48, 48));
    image2->setAlignment(Qt::AlignBottom | Qt::AlignHCenter);

    auto* company = label(frame, "lblCompanyProduct", app.msg(Msg::SplashTagline));
    auto* product = label(frame, "lblProductName", app.msg(Msg::AppTitle));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    product->setFont(big);
    description_ = label(frame, "lblProductDescription",
                         app.msg(Msg::SplashLine1) + "\n" + app.msg(Msg::SplashLine2));
    description_->setWordWrap(true);
    auto* platform = label(frame, "lblPlatform", app.msg(Msg::SplashPlatform));
    auto* version = label(frame, "lblVersion", app.msg(Msg::SplashVersion));
    auto* warning = label(frame, "lblWarning", app.msg(Msg::AboutAuthors, ":"));
    warning->setWordWrap(true);
    auto* credit1 = label(frame, "Label1", QString::fromUtf8(kCreditLine1));
    auto* credit2 = label(frame, "Label2", QString::fromUtf8(kCreditLine2));
    for (auto* l : {platform, version}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    grid->addWidget(image1, 0, 0, 3, 1);
    grid->addWidget(company, 0, 1);
    grid->addWidget(product, 1, 1);
    grid->addWidget(description_, 2, 1);
    grid->addWidget(platform, 3, 1);
    grid->addWidget(version, 4, 1);
    grid->addWidget(image2, 3, 0, 2, 1);
    grid->addWidget(warning, 5, 0, 1, 2);
    grid->addWidget(credit1, 6, 0, 1, 2);
    grid->addWidget(credit2, 7, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // A click anywhere but on the description hands over at once.
    for (QWidget* w : frame->findChildren<QWidget*>()) {
        if (w != description_)
            w->installEventFilter(this);
    }
    frame->installEventFilter(this);
    description_->installEventFilter(this);

    setMinimumWidth(460);
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::tick);
    timer_.start();
}

void SplashWindow::tick() {
    if (handedOver_)
        return;
    ++ticks_;
    if (ticks_ == 5)
        handOver();
}

void SplashWindow::handOver() {
    if (handedOver_)
        return;
    handedOver_ = true;
    timer_.stop();
    close();
    emit finished();
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    handOver();
    event->accept();
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == description_)
            return true;  // swallowed: nothing happens
        handOver();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zerlant::gui
