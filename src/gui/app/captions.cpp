#include "gui/app/captions.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>
#include <memory>

namespace zerlant::gui {

namespace {

// The message numbers that may hold a caption.
constexpr int kLastMessage = 999;

constexpr const char* kEndings[] = {"...", ":", ""};

class Translator {
  public:
    Translator(const MessageLookup& before, const MessageLookup& after) : after_(after) {
        for (int n = kLastMessage; n >= 1; --n) {
            const QString text = before ? QString::fromStdString(before.byNumber(n)) : QString();
            if (text.isEmpty())
                continue;
            exact_.insert(text, n);  // the lowest number stays
            plain_.insert(withoutMnemonic(text), n);
        }
    }

    // The text in the new language, or `text` itself when it is no message.
    // A message written with its own mnemonic ("&File") is found as such
    // before a message that only reads the same ("File").
    QString operator()(const QString& text) const {
        if (text.isEmpty() || !after_)
            return text;
        for (bool exact : {true, false}) {
            const QString shown = exact ? text : withoutMnemonic(text);
            const QHash<QString, int>& numbers = exact ? exact_ : plain_;
            for (const char* ending : kEndings) {
                const QString end = QString::fromLatin1(ending);
                if (!shown.endsWith(end))
                    continue;
                const auto found = numbers.constFind(shown.left(shown.size() - end.size()));
                if (found != numbers.constEnd())
                    return QString::fromStdString(after_.byNumber(found.value())) + end;
            }
        }
        return text;
    }

  private:
    MessageLookup after_;
    QHash<QString, int> exact_;
    QHash<QString, int> plain_;
};

void retranslateAction(QAction* action, const Translator& tr) {
    if (action->isSeparator())
        return;
    action->setText(tr(action->text()));
    if (!action->toolTip().isEmpty())
        action->setToolTip(tr(action->toolTip()));
    if (QMenu* menu = action->menu())
        menu->setTitle(tr(menu->title()));
}

}  // namespace

QString withoutMnemonic(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1);  // "&&" keeps one '&'
    }
    return text;
}

void retranslateCaptions(QWidget* root, const MessageLookup& before, const MessageLookup& after) {
    const Translator tr(before, after);
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->toolTip().isEmpty())
            w->setToolTip(tr(w->toolTip()));
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            b->setText(tr(b->text()));
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->textFormat() != Qt::RichText)
                l->setText(tr(l->text()));
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            g->setTitle(tr(g->title()));
        } else if (auto* t = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < t->count(); ++i) t->setTabText(i, tr(t->tabText(i)));
        }
        if (auto* m = qobject_cast<QMenu*>(w))
            m->setTitle(tr(m->title()));
        if (auto* e = qobject_cast<QLineEdit*>(w); e != nullptr && !e->placeholderText().isEmpty())
            e->setPlaceholderText(tr(e->placeholderText()));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) c->setItemText(i, tr(c->itemText(i)));
        // Docks and windows of their own carry a title.
        if (w->isWindow() || qobject_cast<QDockWidget*>(w) != nullptr)
            w->setWindowTitle(tr(w->windowTitle()));
        for (QAction* a : w->actions()) retranslateAction(a, tr);
    }
}

std::function<QString(const QString&)> captionTranslator(const MessageLookup& before,
                                                         const MessageLookup& after) {
    auto tr = std::make_shared<const Translator>(before, after);
    return [tr](const QString& text) { return (*tr)(text); };
}

void assignMnemonics(QWidget* root, QSet<QChar> taken) {
    QList<QAbstractButton*> pending;
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        const QString text = b->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size() && text.at(amp + 1) != QLatin1Char('&')) {
            taken.insert(text.at(amp + 1).toLower());
            continue;
        }
        // Tool buttons show pictures; buttons without text have no letter.
        if (b->inherits("QToolButton") || text.isEmpty())
            continue;
        pending << b;
    }
    auto mark = [&taken](QAbstractButton* b, qsizetype at) {
        QString text = b->text();
        taken.insert(text.at(at).toLower());
        text.insert(at, QLatin1Char('&'));
        b->setText(text);
    };
    // Word starts first, then any letter; push buttons choose before option
    // buttons and check boxes.
    auto give = [&taken, &mark](const QList<QAbstractButton*>& buttons) {
        QList<QAbstractButton*> left;
        for (QAbstractButton* b : buttons) {
            const QString text = b->text();
            bool done = false;
            for (qsizetype i = 0; i < text.size() && !done; ++i) {
                const bool wordStart = i == 0 || !text.at(i - 1).isLetterOrNumber();
                if (wordStart && text.at(i).isLetterOrNumber() &&
                    !taken.contains(text.at(i).toLower())) {
                    mark(b, i);
                    done = true;
                }
            }
            if (!done)
                left << b;
        }
        for (QAbstractButton* b : left) {
            const QString text = b->text();
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text.at(i).isLetterOrNumber() && !taken.contains(text.at(i).toLower())) {
                    mark(b, i);
                    break;
                }
            }
        }
    };
    QList<QAbstractButton*> push;
    QList<QAbstractButton*> others;
    for (QAbstractButton* b : pending) (b->inherits("QPushButton") ? push : others) << b;
    give(push);
    give(others);
}

}  // namespace zerlant::gui
