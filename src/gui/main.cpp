// zerlant: the desktop program.  `zerlant [FOLDER]` opens the file browser on
// FOLDER.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdlib>

#include "core/language/languagefile.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/app/splashwindow.hpp"
#include "gui/mainwindow/mainwindow.hpp"

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zerlant");
    QApplication::setApplicationVersion(ZERLANT_VERSION);

    zerlant::ProgramFolderInputs inputs;
    inputs.executableFolder = QCoreApplication::applicationDirPath().toStdString();
    inputs.xdgDataHome = env("XDG_DATA_HOME");
    inputs.home = env("HOME");
    inputs.installedDataFolder = QDir(QCoreApplication::applicationDirPath() + "/../share/zerlant")
                                     .absolutePath()
                                     .toStdString();
    const auto folder = zerlant::locateProgramFolder(inputs);
    if (!folder) {
        QMessageBox::critical(nullptr, "Zerlant",
                              QString::fromStdString(folder.error().describe()));
        return 1;
    }

    const QStringList args = QCoreApplication::arguments();
    const QString startFolder = args.size() > 1 ? args.at(1) : QString();

    // The splash window sets up the languages, which loads the main window
    // hidden; the splash hands over to it after five seconds or a click.
    zerlant::gui::AppContext context(folder.value());
    zerlant::gui::Dialogs dialogs;
    zerlant::gui::MainWindow window(context, dialogs, startFolder);
    zerlant::gui::SplashWindow splash(context);
    QObject::connect(&splash, &zerlant::gui::SplashWindow::finished, &window, &QWidget::show);
    splash.show();
    return app.exec();
}
