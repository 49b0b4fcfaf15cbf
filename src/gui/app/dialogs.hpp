#pragma once
// Every message box, file dialog and outside program the windows use goes
// through one object, so that tests can answer and record them.

#include <QString>
#include <QStringList>
#include <QUrl>

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
    // and a No leads back to the dialog.  The empty text when cancelled.
    QString saveFileNameAsking(QWidget* parent, const QString& caption,
                               const QString& suggestedPath, const QString& filter,
                               const QString& title, const QString& replaceQuestion);
    // A folder chooser; the empty text when the user cancels.
    virtual QString existingFolder(QWidget* parent, const QString& caption, const QString& start);
    // Opens a file or address in the desktop's program for it.
    virtual bool openUrl(const QUrl& url);
    // Starts a program without waiting for it.
    virtual bool startDetached(const QString& program, const QStringList& arguments);
};

}  // namespace zerlant::gui
