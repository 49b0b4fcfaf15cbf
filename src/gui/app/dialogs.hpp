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
    // Opens a file or address in the desktop's program for it.
    virtual bool openUrl(const QUrl& url);
    // Starts a program without waiting for it.
    virtual bool startDetached(const QString& program, const QStringList& arguments);
};

}  // namespace zerlant::gui
