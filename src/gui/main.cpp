// zerlant: the desktop program.  `zerlant [FOLDER]` opens the file browser on
// FOLDER; given a file, on the file's folder.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

// Answers --help and --version (and exits) without needing a display.
void answerHelpOrVersion(int argc, char** argv) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        asked = asked || a == "--help" || a == "-h" || a == "--version" || a == "-v";
    }
    if (!asked)
        return;
    QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName("zerlant");
    QCoreApplication::setApplicationVersion(ZERLANT_VERSION);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The desktop program of Zerlant: collect, tabulate, rename and prepare Gaussian\n"
        "job files in one window.  The same tools run without a display in zerlant-cli.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("PATH",
                                 "open the file browser on folder PATH, or on the folder of file "
                                 "PATH (default: the program's folder)",
                                 "[PATH]");
    parser.process(probe);
}

}  // namespace

int main(int argc, char** argv) {
    answerHelpOrVersion(argc, argv);
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
    QString startFolder = args.size() > 1 ? args.at(1) : QString();
    if (QFileInfo given(startFolder); !startFolder.isEmpty() && given.isFile())
        startFolder = given.absolutePath();  // a launcher may hand over files

    // The splash window sets up the languages, which loads the main window
    // hidden; the splash hands over to it after five seconds or a click.
    zerlant::gui::AppContext context(folder.value());
    // Settings in the user's config folder, the Undo record in the cache
    // folder (both follow XDG_CONFIG_HOME and XDG_CACHE_HOME).
    context.setSettingsFile(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        "/zerlant/zerlant.conf");
    context.setJournalFolder(
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/zerlant");
    zerlant::gui::Dialogs dialogs;
    zerlant::gui::MainWindow window(context, dialogs, startFolder);
    zerlant::gui::SplashWindow splash(context);
    QObject::connect(&splash, &zerlant::gui::SplashWindow::finished, &window, &QWidget::show);
    splash.show();
    return app.exec();
}
