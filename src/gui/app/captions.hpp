#pragma once
// Captions of a window already on screen: re-reading them in another
// language, and giving the buttons of a window keyboard mnemonics.

#include <QSet>
#include <QString>
#include <functional>

#include "core/common/types.hpp"

class QWidget;

namespace zerlant::gui {

// Every caption under `root` (buttons, check boxes, labels, group titles,
// tab texts, actions of menus and tool bars, tool tips) that is message N of
// `before` (possibly with the fixed ending ":" or "...", and with or without
// a mnemonic) becomes message N of `after`.  Where two messages share a text
// the lower number is taken.  Other texts are left alone.
void retranslateCaptions(QWidget* root, const MessageLookup& before, const MessageLookup& after);

// The same rule for one text: a caption of `before` in the language of
// `after`; other texts come back unchanged.
std::function<QString(const QString&)> captionTranslator(const MessageLookup& before,
                                                         const MessageLookup& after);

// Gives each push button, check box and radio button under `root` that has
// none an underlined letter (Alt+letter presses it), unique among them and
// not one of `taken`: the first letter of a word when free, else any other.
// Buttons already carrying a mnemonic keep it.
void assignMnemonics(QWidget* root, QSet<QChar> taken = {});

// The caption without its mnemonic mark ("E&xport" -> "Export").
QString withoutMnemonic(QString text);

}  // namespace zerlant::gui
