#include "gui/app/aboutbox.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "gui/app/appcontext.hpp"
#include "gui/app/credits.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/icons.hpp"

namespace zerlant::gui {

AboutBox::AboutBox(const AppContext& app, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), app_(app), dialogs_(dialogs) {
    setObjectName("frmAbout");
    const QString title = app.msg(Msg::AppTitle);
    setWindowTitle(app.msg(Msg::About) + " " + title);
    setWindowIcon(picture(Picture::AppIcon));

    auto make = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto* image = make("Image1", {});
    image->setPixmap(picture(Picture::AppIcon).pixmap(48, 48));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* lblTitle = make("lblTitle", title);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* description = make("lblDescription", app.msg(Msg::AboutSummary));
    description->setWordWrap(true);
    auto* version = make("lblVersion", app.msg(Msg::AboutVersion));
    auto* credit1 = make("Label1", QString::fromUtf8(kCreditLine1));
    auto* credit2 = make("Label2", QString::fromUtf8(kCreditLine2));
    auto* web = make("lblweb", QString("<a href=\"%1\">%1</a>").arg(QString::fromUtf8(kWebPage)));
    web->setTextFormat(Qt::RichText);
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    web->setCursor(Qt::PointingHandCursor);
    connect(web, &QLabel::linkActivated, this, &AboutBox::openWebPage);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* disclaimer = make("lblDisclaimer", app.msg(Msg::AboutAuthors, ":"));
    disclaimer->setWordWrap(true);

    auto* sysInfo = new QPushButton(app.msg(Msg::SystemInformation, "..."), this);
    sysInfo->setObjectName("cmdSysInfo");
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::startSysInfo);
    auto* ok = new QPushButton(app.msg(Msg::Ok), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(image, 0, 0, 4, 1);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(web, 3, 1);
    grid->addWidget(disclaimer, 4, 1);
    grid->addWidget(credit1, 5, 1);
    grid->addWidget(credit2, 6, 1);
    grid->addWidget(line, 7, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    bottom->addLayout(buttons);
    grid->addLayout(bottom, 8, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(440);
    adjustSize();
    setFixedSize(sizeHint());
}

QStringList AboutBox::systemInfoPrograms() {
    return {"hardinfo", "kinfocenter", "gnome-system-monitor"};
}

QString AboutBox::findSystemInfoProgram() {
    for (const QString& name : systemInfoPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void AboutBox::startSysInfo() {
    const QString program = findSystemInfoProgram();
    if (program.isEmpty() || !dialogs_.startDetached(program, {})) {
        dialogs_.message(this, Dialogs::Icon::None, app_.title(),
                         app_.msg(Msg::SystemInformationFailed));
    }
}

void AboutBox::openWebPage() {
    dialogs_.openUrl(QUrl(QString::fromUtf8(kWebPage)));
}

}  // namespace zerlant::gui
