#pragma once
// The manual (F1): the HTML pages shipped with the program, in the language
// of the window, shown in a window of their own.

#include <QString>
#include <QStringList>
#include <QWidget>

class QTextBrowser;

namespace zerlant::gui {

class AppContext;

// The folders that may hold the manual of language `code` ("en", "es"), in
// the order they are tried: beside the language file, the installed share
// folder next to the executable, then the source tree of a build.
QStringList manualFolders(const AppContext& app, const QString& code);

// The manual's first page for the current language (English when the
// language has no manual of its own); empty when none is found.
QString manualPage(const AppContext& app);

class ManualWindow : public QWidget {
    Q_OBJECT
  public:
    ManualWindow(const AppContext& app, const QString& page, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }
    // The title and page of the current language.
    void retranslate();

  private:
    const AppContext& app_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace zerlant::gui
