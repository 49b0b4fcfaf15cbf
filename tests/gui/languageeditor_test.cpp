// The language editor window, offscreen, over a copy of the delivered
// language file.

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>

#include "core/language/languagefile.hpp"
#include "gui/language/languageeditor.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

namespace {

// The open edit box of the grid, or null.
QLineEdit* openBox(QWidget* w) {
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

}  // namespace

class LanguageEditorTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() {
        startSession();
        path_ = program_->languageFile();
    }
    void cleanup() { endSession(); }

    void closingUntouchedAsksNothing() {
        LanguageEditor editor(*app_, app_->languages(), *dialogs_);
        int asked = 0;
        editor.setQuestion([&](QWidget*, const QString&, const QString&) {
            ++asked;
            return QMessageBox::Cancel;
        });
        editor.show();
        QCOMPARE(editor.windowTitle(), app_->msg(Msg::LanguageCaption));
        QCOMPARE(editor.grid()->columnCount(), 2);
        QCOMPARE(editor.grid()->horizontalHeaderItem(1)->text(), QString("English"));
        QVERIFY(editor.grid()->horizontalHeaderItem(1)->font().bold());
        QVERIFY(!editor.grid()->horizontalHeaderItem(0)->font().bold());
        QCOMPARE(editor.grid()->item(1, 1)->text(), QString("Language"));
        QVERIFY(editor.close());
        QCOMPARE(asked, 0);
    }

    void editingThenCancelKeepsTheWindow() {
        LanguageEditor editor(*app_, app_->languages(), *dialogs_);
        QString asked;
        editor.setQuestion([&](QWidget*, const QString&, const QString& text) {
            asked = text;
            return QMessageBox::Cancel;
        });
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        // Type into row 2 of English, Enter moves the box down a row.
        editor.editCell(2, 2);
        QLineEdit* box = openBox(editor.grid());
        QVERIFY(box != nullptr);
        box->selectAll();
        QTest::keyClicks(box, "Idiom=a");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(editor.grid()->item(1, 1)->text(), QString("Idiom=a"));
        QTRY_COMPARE(editor.grid()->currentRow(), 2);
        QTRY_VERIFY(openBox(editor.grid()) != nullptr);

        // On the last row Enter closes the box.
        const int last = editor.grid()->rowCount();
        editor.editCell(last, 2);
        box = openBox(editor.grid());
        QVERIFY(box != nullptr);
        QTest::keyClick(box, Qt::Key_Return);
        QTest::qWait(20);
        QCOMPARE(editor.grid()->currentRow(), last - 1);
        QVERIFY(openBox(editor.grid()) == nullptr);

        QVERIFY(editor.model().modified());
        QVERIFY(!editor.close());
        QVERIFY(editor.isVisible());
        QCOMPARE(asked,
                 app_->msg(Msg::SaveChangesQuestion) + " " + app_->msg(Msg::LanguageCaption) + "?");
        // Nothing was written.
        QCOMPARE(QString::fromStdString(GetMessage(path_.toStdString(), "English", "2")),
                 QString("Language"));
        editor.setQuestion(
            [](QWidget*, const QString&, const QString&) { return QMessageBox::No; });
        QVERIFY(editor.close());
    }

    void saveThenReopenShowsTheEdit() {
        LanguageState saved;
        {
            LanguageEditor editor(*app_, app_->languages(), *dialogs_);
            connect(&editor, &LanguageEditor::languagesSaved, this,
                    [&](const LanguageState& s) { saved = s; });
            editor.show();
            editor.grid()->item(0, 0)->setText("Zerlant=Z");
            QTest::mouseClick(editor.saveButton(), Qt::LeftButton);
            QVERIFY(!editor.model().modified());
            QVERIFY(editor.close());
        }
        QCOMPARE(saved.languageNames.size(), std::size_t(2));
        LanguageEditor again(*app_, saved, *dialogs_);
        QCOMPARE(again.grid()->item(0, 0)->text(), QString("Zerlant=Z"));
        QCOMPARE(QString::fromStdString(GetMessage(path_.toStdString(), "Español", "1")),
                 QString("Zerlant=Z"));
        QVERIFY(dialogs_->texts().isEmpty());
    }

    void newLanguageNeedsAName() {
        LanguageState saved;
        // Opened from the window, whose language menu lists the new language.
        MainWindow window(*app_, *dialogs_);
        window.openLanguageEditor();
        LanguageEditor* editor = testing::shownWindow<LanguageEditor>();
        QVERIFY(editor != nullptr);
        connect(editor, &LanguageEditor::languagesSaved, this,
                [&](const LanguageState& s) { saved = s; });
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QTest::mouseClick(editor->newButton(), Qt::LeftButton);
        QCOMPARE(editor->grid()->columnCount(), 3);
        // The name box opens on the new heading; leave it empty for now.
        QTRY_VERIFY(openBox(editor->grid()->horizontalHeader()) != nullptr);
        QLineEdit* name = openBox(editor->grid()->horizontalHeader());
        QVERIFY(name->text().isEmpty());
        QTest::mouseClick(editor->newButton(), Qt::LeftButton);  // one at a time
        QCOMPARE(editor->grid()->columnCount(), 3);
        editor->grid()->item(0, 2)->setText("Zerlant");

        // Save without a name: message 7, the file without the new column,
        // and closing with Yes keeps the window.
        QVERIFY(!editor->save());
        QCOMPARE(dialogs_->texts().value(0), app_->msg(Msg::NewLanguageUnnamed));
        std::vector<std::string> names;
        QCOMPARE(ListLanguages(path_.toStdString(), names), std::int16_t(2));
        editor->setQuestion(
            [](QWidget*, const QString&, const QString&) { return QMessageBox::Yes; });
        QVERIFY(!editor->close());
        QVERIFY(!editor->model().saveIncomplete());

        name = openBox(editor->grid()->horizontalHeader());
        QVERIFY(name != nullptr);
        QTest::keyClicks(name, "Deutsch");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(editor->grid()->horizontalHeaderItem(2)->text(), QString("Deutsch"));
        QVERIFY(editor->save());
        QCOMPARE(ListLanguages(path_.toStdString(), names), std::int16_t(3));
        QCOMPARE(saved.languageNames.back(), std::string("Deutsch"));
        QCOMPARE(QString::fromStdString(GetMessage(path_.toStdString(), "deutsch", "1")),
                 QString("Zerlant"));
        QStringList items;
        for (QAction* a : window.languageMenu()->actions()) items << a->text();
        QCOMPARE(items.size(), 5);  // three languages, the separator, the editor
        QCOMPARE(items.value(2), QString("Deutsch"));
        QCOMPARE(items.value(4), app_->msg(Msg::EditLanguages));
        QVERIFY(editor->close());
    }

  private:
    QString path_;
};

QTEST_MAIN(LanguageEditorTest)
#include "languageeditor_test.moc"
