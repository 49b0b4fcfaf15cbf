#include "gui/app/dialogs.hpp"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>

#include "core/files/paths.hpp"

namespace zerlant::gui {

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information:
            return QMessageBox::Information;
        case Dialogs::Icon::Warning:
            return QMessageBox::Warning;
        case Dialogs::Icon::Critical:
            return QMessageBox::Critical;
        case Dialogs::Icon::Question:
            return QMessageBox::Question;
        case Dialogs::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void Dialogs::message(QWidget* parent, Icon icon, const QString& title, const QString& text) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool Dialogs::confirm(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

QString Dialogs::saveFileName(QWidget* parent, const QString& caption, const QString& suggestedPath,
                              const QString& filter) {
    // The caller asks before replacing a file, in the window's language.
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString Dialogs::saveFileNameAsking(QWidget* parent, const QString& caption,
                                    const QString& suggestedPath, const QString& filter,
                                    const QString& title, const QString& replaceQuestion) {
    QString suggested = suggestedPath;
    // A test's dialogs may give the same answer for ever: ask a few times.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString chosen = saveFileName(parent, caption, suggested, filter);
        if (chosen.isEmpty())
            return chosen;
        suggested = chosen;
        if (refusedOutput(chosen.toStdString(), protectedFiles())) {
            const QString name = QFileInfo(chosen).fileName();
            message(parent, Icon::Critical, title, refusedText_ ? refusedText_().arg(name) : name);
            continue;
        }
        if (QFileInfo::exists(chosen) &&
            !confirm(parent, title, replaceQuestion.arg(QFileInfo(chosen).fileName())))
            continue;
        lastFolder_ = QFileInfo(chosen).absolutePath();
        return chosen;
    }
    return {};
}

void Dialogs::setOutputGuard(ProtectedFiles files, std::function<QString()> refusedText) {
    listFiles_ = std::move(files);
    refusedText_ = std::move(refusedText);
}

std::vector<std::string> Dialogs::protectedFiles() const {
    std::vector<std::string> files = runFiles_;
    if (listFiles_)
        for (std::string& f : listFiles_()) files.push_back(std::move(f));
    return files;
}

QString Dialogs::startFolder() const {
    for (const std::string& file : protectedFiles()) {
        const QFileInfo info(QString::fromStdString(file));
        if (info.absoluteDir().exists())
            return info.absolutePath();
    }
    return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

QString Dialogs::existingFolder(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

bool Dialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool Dialogs::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

}  // namespace zerlant::gui
