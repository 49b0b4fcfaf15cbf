#pragma once
// Every message box, file dialog and outside program the windows use goes
// through one object, so that tests can answer and record them.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace zerlant::gui {

class Dialogs {
  public:
    enum class Icon { None, Information, Warning, Critical, Question };

    virtual ~Dialogs() = default;

    // A message box with one OK button.
    virtual void message(QWidget* parent, Icon icon, const QString& title, const QString& text);
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text);
    // A save dialog; the empty text when the user cancels.
    virtual QString saveFileName(QWidget* parent, const QString& caption,
                                 const QString& suggestedPath, const QString& filter);
    // A save dialog that never replaces an existing file without asking:
    // `replaceQuestion` (with %1 for the file's name) is asked under `title`,
    // and a No leads back to the dialog.  A file the output guard protects is
    // refused with its message before any question, and the dialog comes
    // back.  The empty text when cancelled.
    QString saveFileNameAsking(QWidget* parent, const QString& caption,
                               const QString& suggestedPath, const QString& filter,
                               const QString& title, const QString& replaceQuestion);
    // The files no save dialog may choose (the working list and the run
    // shown) and the message that refuses one (%1: the file's name).
    using ProtectedFiles = std::function<std::vector<std::string>()>;
    void setOutputGuard(ProtectedFiles files, std::function<QString()> refusedText);
    // The files of the run shown, protected beside those of the working list.
    void setRunFiles(std::vector<std::string> files) { runFiles_ = std::move(files); }
    // One more file read for what is shown (a measured spectrum).
    void addRunFile(std::string file) { runFiles_.push_back(std::move(file)); }
    // Where a save dialog starts: the folder of the run's files (else of the
    // working list's), else the folder last saved into, else the home folder.
    QString startFolder() const;
    // A folder chooser; the empty text when the user cancels.
    virtual QString existingFolder(QWidget* parent, const QString& caption, const QString& start);
    // Opens a file or address in the desktop's program for it.
    virtual bool openUrl(const QUrl& url);
    // Starts a program without waiting for it.
    virtual bool startDetached(const QString& program, const QStringList& arguments);

  private:
    std::vector<std::string> protectedFiles() const;

    ProtectedFiles listFiles_;
    std::function<QString()> refusedText_;
    std::vector<std::string> runFiles_;
    QString lastFolder_;
};

}  // namespace zerlant::gui
