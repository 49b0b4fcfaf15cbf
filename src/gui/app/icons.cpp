#include "gui/app/icons.hpp"

#include <QApplication>
#include <QStyle>

// The icon drawn for Zerlant lives in appicon.qrc, inside a static library:
// its resources are registered only when asked for.
static void registerAppIcon() {
    Q_INIT_RESOURCE(appicon);
}

namespace zerlant::gui {

namespace {

struct Source {
    const char* themeName;
    QStyle::StandardPixmap fallback;
};

Source sourceOf(Picture p) {
    switch (p) {
        case Picture::AppIcon:
            return {"applications-science", QStyle::SP_FileDialogContentsView};
        case Picture::Extract:
            return {"document-properties", QStyle::SP_FileDialogDetailedView};
        case Picture::Scan:
            return {"office-chart-line", QStyle::SP_FileDialogContentsView};
        case Picture::Rename:
            return {"edit-rename", QStyle::SP_FileDialogListView};
        case Picture::Substitute:
            return {"edit-find-replace", QStyle::SP_BrowserReload};
        case Picture::Batch:
            return {"document-new", QStyle::SP_FileIcon};
        case Picture::Languages:
            return {"preferences-desktop-locale", QStyle::SP_MessageBoxQuestion};
        case Picture::About:
            return {"help-about", QStyle::SP_MessageBoxInformation};
        case Picture::SelectAll:
            return {"edit-select-all", QStyle::SP_DialogYesButton};
        case Picture::SelectNone:
            return {"edit-clear", QStyle::SP_DialogNoButton};
        case Picture::Add:
            return {"list-add", QStyle::SP_ArrowDown};
        case Picture::Delete:
            return {"list-remove", QStyle::SP_DialogDiscardButton};
        case Picture::DeleteAll:
            return {"edit-delete", QStyle::SP_TrashIcon};
        case Picture::Run:
            return {"system-run", QStyle::SP_MediaPlay};
        case Picture::TextExport:
            return {"text-x-generic", QStyle::SP_FileIcon};
        case Picture::SheetExport:
            return {"x-office-spreadsheet", QStyle::SP_FileDialogDetailedView};
        case Picture::Preview:
            return {"document-preview", QStyle::SP_FileDialogInfoView};
        case Picture::Paste:
            return {"edit-paste", QStyle::SP_DialogOpenButton};
    }
    return {"", QStyle::SP_FileIcon};
}

}  // namespace

QIcon picture(Picture p) {
    if (p == Picture::AppIcon) {  // drawn for Zerlant (packaging/zerlant.svg)
        registerAppIcon();
        return QIcon(":/zerlant/zerlant.svg");
    }
    const Source s = sourceOf(p);
    const QIcon fallback = QApplication::style()->standardIcon(s.fallback);
    return QIcon::fromTheme(QString::fromLatin1(s.themeName), fallback);
}

}  // namespace zerlant::gui
