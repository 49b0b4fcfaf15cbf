// Listing a big folder in the window's file browser.
//
// Fills a temporary folder with 20,000 empty outputs (plus 2,000 job files
// the filter leaves out), then times, offscreen:
//   1. showing the folder (the filtered, sorted file list, the folder tree),
//   2. listing it again (the file list alone),
//   3. following it after 500 new outputs appear on disk, with a selection
//      of 1,000 files kept.
// The folder is removed afterwards.
//
//   bench_window_folder [FILES]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/filebrowser.hpp"

namespace {

void touch(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
    QTemporaryDir folder;
    for (int i = 0; i < files; ++i)
        touch(folder.filePath(QStringLiteral("job_%1.out").arg(i, 6, 10, QLatin1Char('0'))));
    for (int i = 0; i < files / 10; ++i)
        touch(folder.filePath(QStringLiteral("job_%1.gjf").arg(i, 6, 10, QLatin1Char('0'))));

    QTemporaryDir program;
    zerlant::gui::AppContext context(program.path().toStdString());
    zerlant::gui::Dialogs dialogs;
    zerlant::gui::FileBrowser browser(context, dialogs);
    browser.setPattern(QStringLiteral("*.out *.log"));

    QElapsedTimer clock;
    clock.start();
    browser.setCurrentFolder(folder.path());
    const double shown = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    std::printf("show a folder of %d outputs: %lld listed in %.3f s\n", files,
                static_cast<long long>(browser.files().size()), shown);

    clock.restart();
    browser.refresh();
    std::printf("list it again (the file list alone): %.3f s\n",
                static_cast<double>(clock.nsecsElapsed()) / 1e9);

    QStringList selected;
    for (int i = 0; i < 1000 && i < files; ++i) selected << browser.files().at(i * files / 1000);
    browser.selectFiles(selected);
    for (int i = 0; i < 500; ++i) touch(folder.filePath(QStringLiteral("new_%1.out").arg(i)));
    clock.restart();
    browser.followFolder();
    const double followed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    std::printf("follow 500 new outputs keeping %lld selected: %lld listed in %.3f s\n",
                static_cast<long long>(browser.selectedFiles().size()),
                static_cast<long long>(browser.files().size()), followed);
    return shown < 1.0 ? 0 : 1;
}
