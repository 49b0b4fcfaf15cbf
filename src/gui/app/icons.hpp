#pragma once
// The pictures of the toolbar and the buttons: the desktop's icon theme where
// it has them, Qt's standard pictures otherwise.

#include <QIcon>

namespace zerlant::gui {

enum class Picture {
    AppIcon,
    Extract,
    Scan,
    Rename,
    Substitute,
    Batch,
    Languages,
    About,
    SelectAll,
    SelectNone,
    Add,
    Delete,
    DeleteAll,
    Run,
    TextExport,
    SheetExport,
    Preview,
    Paste,
};

QIcon picture(Picture p);

}  // namespace zerlant::gui
