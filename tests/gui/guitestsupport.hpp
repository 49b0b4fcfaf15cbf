#pragma once
// Helpers of the window tests: a program folder holding a copy of the
// delivered language file, dialogs that answer by themselves and record what
// they were asked, file helpers and the session most tests start from.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QString>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVector>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/filelistmodel.hpp"
#include "gui/mainwindow/mainwindow.hpp"
#include "gui/mainwindow/readingpanel.hpp"
#include "gui/results/tablemodel.hpp"

// The real data folder as `var`, or the test is skipped.
#define ZERLANT_DATA_OR_SKIP(var)                         \
    const QString var = zerlant::gui::testing::dataDir(); \
    if (var.isEmpty())                                    \
    QSKIP("real data folder ../shared/data is absent")

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

// The bytes of a file, or none when it cannot be read.
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes (or appends) the bytes to a file; false when it cannot be written.
inline bool writeFile(const QString& path, const QByteArray& bytes, bool append = false) {
    QFile f(path);
    return f.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes) == bytes.size();
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

// Copies files of the real data folder under new names; false when one fails.
inline bool copyData(const std::vector<std::pair<const char*, const char*>>& files,
                     const QString& to) {
    for (const auto& [from, name] : files)
        if (!QFile::copy(QDir(dataDir()).filePath(from), QDir(to).filePath(name)))
            return false;
    return true;
}

// Clicks the panel's Run button and waits for the run to finish.
inline bool runAndWait(ReadingPanel* panel) {
    QSignalSpy finished(panel, &ReadingPanel::runFinished);
    panel->runButton()->click();
    return finished.wait(120000);
}

// The number of a results table's cell, or none.
inline std::optional<double> numberAt(const QTableView* view, int row, int column) {
    const QVariant v = view->model()->index(row, column).data(ResultTableModel::NumberRole);
    return v.isValid() ? std::optional<double>(v.toDouble()) : std::nullopt;
}

// The first column whose title starts so, or -1.
inline int columnOf(const QTableView* view, const QString& titleStart) {
    for (int c = 0; c < view->model()->columnCount(); ++c)
        if (view->model()->headerData(c, Qt::Horizontal).toString().startsWith(titleStart))
            return c;
    return -1;
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

// What most window tests start from: a program folder with the delivered
// language file (in ZERLANT_SCREENS_LANG when set), its application context,
// recording dialogs and, once opened, the main window.  The test's init()
// and cleanup() call startSession() and endSession().
class Session {
  protected:
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
        QByteArray languageBytes() const { return readFile(languageFile()); }

      private:
        QTemporaryDir dir_;
    };

    void startSession() {
        program_ = std::make_unique<ProgramFolder>();
        if (const QString lang = qEnvironmentVariable("ZERLANT_SCREENS_LANG"); !lang.isEmpty())
            QVERIFY(writeFile(
                program_->languageFile(),
                program_->languageBytes().replace("idioma=English", "idioma=" + lang.toUtf8())));
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
