#include "gui/mainwindow/sheetexport.hpp"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "core/results/xlsxexport.hpp"
#include "gui/app/appcontext.hpp"
#include "gui/app/dialogs.hpp"
#include "gui/mainwindow/toolpanel.hpp"

namespace zerlant::gui {

QString writeAndOpenWorkbook(PanelContext& ctx, const Table& table, const QString& path) {
    const AppContext& app = ctx.app;
    const auto status = writeExcelWorkbook(table, path.toStdString());
    if (!status) {
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Critical, app.title(),
                            app.msg(Msg::SheetExportFailed));
        return {};
    }
    ctx.showStatus(path);
    if (!ctx.dialogs.openUrl(QUrl::fromLocalFile(path))) {
        // Written, but no program on this desktop opens workbooks.
        ctx.dialogs.message(ctx.window, Dialogs::Icon::Information, app.title(),
                            QString(app.msg(Msg::ExportSheet)).remove(QLatin1Char('&')) + ":\n" +
                                QDir::toNativeSeparators(path));
    }
    return path;
}

}  // namespace zerlant::gui
