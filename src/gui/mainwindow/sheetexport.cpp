#include "gui/mainwindow/sheetexport.hpp"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "core/results/xlsxexport.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/toolpanel.hpp"

namespace zerlant::gui {

bool folderIsWritable(const std::string& folder) {
    const QFileInfo info(QString::fromStdString(folder));
    return info.isDir() && info.isWritable();
}

QString writeAndOpenWorkbook(PanelContext& ctx, const Table& table) {
    const AppContext& app = ctx.app;
    const char decimal = app.decimalSeparator();
    const std::string folder = ctx.currentFolder().toStdString();
    QString path;
    if (folderIsWritable(app.programFolder())) {
        auto written = exportarexcel(table, decimal, app.programFolder(), folder);
        if (!written) {
            ctx.dialogs.message(ctx.window, Dialogs::Icon::Critical, app.title(), app.msg(154));
            return {};
        }
        path = QString::fromStdString(written.value());
    } else {
        // The program's folder cannot be written: offer another place.
        const QString suggested =
            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                .filePath(QString::fromStdString(excelFileName(folder)));
        const QString chosen =
            ctx.dialogs.saveFileName(ctx.window, app.msg(81), suggested, "*.xlsx");
        if (chosen.isEmpty())
            return {};
        const auto status = writeExcelWorkbook(table, chosen.toStdString(), decimal);
        if (!status) {
            ctx.dialogs.message(ctx.window, Dialogs::Icon::Critical, app.title(), app.msg(154));
            return {};
        }
        path = chosen;
    }
    ctx.showStatus(path);
    if (!ctx.dialogs.openUrl(QUrl::fromLocalFile(path))) {
        // Written, but no program on this desktop opens workbooks.
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Information, app.title(),
                            app.msg(81) + ":\n" + QDir::toNativeSeparators(path));
    }
    return path;
}

}  // namespace zerlant::gui
