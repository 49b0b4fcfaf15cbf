#pragma once
// Helpers of the window tests: a program folder holding a copy of the
// delivered language file, and dialogs that answer by themselves and record
// what they were asked.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QVector>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>

#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/readingpanel.hpp"

namespace zerlant::gui::testing {

struct Shown {
    Dialogs::Icon icon;
    QString title;
    QString text;
};

class RecordingDialogs : public Dialogs {
  public:
    void message(QWidget*, Icon icon, const QString& title, const QString& text) override {
        shown.push_back({icon, title, text});
    }
    bool confirm(QWidget*, const QString& title, const QString& text) override {
        questions.push_back({Icon::Question, title, text});
        return confirmAnswer;
    }
    QString saveFileName(QWidget*, const QString&, const QString& suggested,
                         const QString&) override {
        suggestedPaths << suggested;
        return saveAnswer;
    }
    QString existingFolder(QWidget*, const QString&, const QString& start) override {
        folderStarts << start;
        return folderAnswer;
    }
    bool openUrl(const QUrl& url) override {
        opened << url;
        return openAnswer;
    }
    bool startDetached(const QString& program, const QStringList&) override {
        started << program;
        return true;
    }

    // The texts of the message boxes shown, in order.
    QStringList texts() const {
        QStringList out;
        for (const Shown& s : shown) out << s.text;
        return out;
    }

    QVector<Shown> shown;
    QVector<Shown> questions;
    QStringList suggestedPaths;
    QStringList folderStarts;
    QString folderAnswer;
    QList<QUrl> opened;
    QStringList started;
    bool confirmAnswer = true;
    QString saveAnswer;
    bool openAnswer = true;
};

// A temporary program folder with a copy of resources/idioma.lng.
class ProgramFolder {
  public:
    ProgramFolder() {
        QFile::copy(QStringLiteral(ZERLANT_SOURCE_DIR "/resources/idioma.lng"), languageFile());
        QFile(languageFile()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    QString path() const { return dir_.path(); }
    std::string folder() const { return dir_.path().toStdString(); }
    QString languageFile() const { return dir_.filePath(QStringLiteral("idioma.lng")); }
    QByteArray languageBytes() const {
        QFile f(languageFile());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

  private:
    QTemporaryDir dir_;
};

// The bytes of a file, or none when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the bytes to a file; false when it cannot be written.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Every file of a folder with its bytes.
inline QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> out;
    for (const QString& n : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        out.insert(n, readFile(folder + "/" + n));
    return out;
}

// The names of the working list's entries, in order.
inline QStringList listNames(const FileListModel& model) {
    QStringList names;
    for (std::size_t e = 1; e <= model.entryCount(); ++e) names << model.name(e);
    return names;
}

// The visible top-level window of that class, or null.
template <class W>
W* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(w); found && found->isVisible())
            return found;
    return nullptr;
}

// The real data folder, or the empty text when it is absent.
inline QString dataDir() {
    const char* env = std::getenv("ZERLANT_DATA");
    QString path =
        env != nullptr && *env ? QString::fromLocal8Bit(env) : QStringLiteral(ZERLANT_SHARED_DATA);
    return QDir(path).exists() ? path : QString();
}

// Clicks the panel's Run button and waits for the run to finish.
inline bool runAndWait(ReadingPanel* panel) {
    QSignalSpy finished(panel, &ReadingPanel::runFinished);
    panel->runButton()->click();
    return finished.wait(120000);
}

// Saves a screenshot of the widget at 1280x800 when ZERLANT_SCREENS names a
// folder (ZERLANT_SCREENS_LANG=Español for the Spanish captions).
inline void shoot(QWidget* w, const QString& name) {
    const QString folder = qEnvironmentVariable("ZERLANT_SCREENS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    w->resize(1280, 800);
    w->show();
    QTest::qWait(300);
    const QString lang =
        qEnvironmentVariable("ZERLANT_SCREENS_LANG", "English") == "English" ? "en" : "es";
    w->grab().save(QDir(folder).filePath(name + "-" + lang + ".png"));
}

// With ZERLANT_SCREENS_LANG set, the language file starts in that language;
// false when it cannot be written.
inline bool startInScreenshotLanguage(const QString& languageFile) {
    const QString lang = qEnvironmentVariable("ZERLANT_SCREENS_LANG");
    if (lang.isEmpty())
        return true;
    QByteArray bytes = readFile(languageFile);
    bytes.replace("idioma=English", "idioma=" + lang.toUtf8());
    QFile f(languageFile);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// What most window tests start from: a program folder with the delivered
// language file, its application context, recording dialogs and, once
// opened, the main window.  The test's init() and cleanup() call
// startSession() and endSession().
class Session {
  protected:
    void startSession() {
        program_ = std::make_unique<ProgramFolder>();
        QVERIFY(startInScreenshotLanguage(program_->languageFile()));
        app_ = std::make_unique<AppContext>(program_->folder());
        dialogs_ = std::make_unique<RecordingDialogs>();
    }
    void openWindow(const QString& folder) {
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, folder);
    }
    void endSession() {
        window_.reset();
        dialogs_.reset();
        app_.reset();
        program_.reset();
    }

    std::unique_ptr<ProgramFolder> program_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace zerlant::gui::testing
