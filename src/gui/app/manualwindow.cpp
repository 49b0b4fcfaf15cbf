#include "gui/app/manualwindow.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/app/appcontext.hpp"
#include "gui/app/icons.hpp"
#include "gui/app/screenfit.hpp"

namespace zerlant::gui {

QStringList manualFolders(const AppContext& app, const QString& code) {
    const QString exe = QCoreApplication::applicationDirPath();
    return {
        QDir(QString::fromStdString(app.programFolder())).filePath("manual/" + code),
        QDir(exe).absoluteFilePath("../share/zerlant/manual/" + code),
        QDir(exe).absoluteFilePath("../share/doc/zerlant/manual/" + code),
        QStringLiteral(ZERLANT_MANUAL_SOURCE "/") + code,
    };
}

QString manualPage(const AppContext& app) {
    QString code = app.msg(Msg::LocaleCode).trimmed();
    for (const QString& c : {code, QStringLiteral("en")}) {
        if (c.isEmpty())
            continue;
        for (const QString& folder : manualFolders(app, c)) {
            const QString page = QDir(folder).filePath("index.html");
            if (QFileInfo(page).isFile())
                return QDir::cleanPath(page);
        }
    }
    return {};
}

ManualWindow::ManualWindow(const AppContext& app, const QString& page, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app) {
    setObjectName("manualWindow");
    setWindowIcon(picture(Picture::AppIcon));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("manualBrowser");
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    setWindowTitle(app_.msg(Msg::ManualTitle));
    browser_->setSource(QUrl::fromLocalFile(page));
    resize(760, 600);
    fitOnScreen(this);
}

void ManualWindow::retranslate() {
    setWindowTitle(app_.msg(Msg::ManualTitle));
    const QString page = manualPage(app_);
    if (!page.isEmpty())
        browser_->setSource(QUrl::fromLocalFile(page));
}

}  // namespace zerlant::gui
