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

    void closingAsksOnlyAfterAnEditAndCancelKeepsTheWindow() {
        LanguageEditor editor(*app_, app_->languages(), *dialogs_);
        QString asked;
        editor.setQuestion([&](QWidget*, const QString&, const QString& text) {
            asked = text;
            return QMessageBox::Cancel;
        });
        // Closing untouched, by Escape or Close, asks nothing.
        for (bool escape : {true, false}) {
            editor.show();
            if (escape)
                QTest::keyClick(&editor, Qt::Key_Escape);
            else
                editor.closeButton()->click();
            QVERIFY(!editor.isVisible());
        }
        QVERIFY(asked.isEmpty());
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        // Type into row 2 of English, Enter moves the box down a row.
        editor.editCell(2, 2);
        QLineEdit* box = openBox(editor.grid());
        box->selectAll();
        QTest::keyClicks(box, "Idiom=a");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(editor.grid()->item(1, 1)->text(), QString("Idiom=a"));
        QTRY_COMPARE(editor.grid()->currentRow(), 2);
        QTRY_VERIFY(openBox(editor.grid()) != nullptr);

        QVERIFY(!editor.close() && editor.isVisible());
        QCOMPARE(asked,
                 app_->msg(Msg::SaveChangesQuestion) + " " + app_->msg(Msg::LanguageCaption) + "?");
        QCOMPARE(GetMessage(path_.toStdString(), "English", "2"), std::string("Language"));
        editor.setQuestion(
            [](QWidget*, const QString&, const QString&) { return QMessageBox::No; });
        QVERIFY(editor.close());
    }

    void newLanguageNeedsANameAndSavedEditsComeBack() {
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
        editor->grid()->item(0, 0)->setText("Zerlant=Z");

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
        QCOMPARE(GetMessage(path_.toStdString(), "deutsch", "1"), std::string("Zerlant"));
        QCOMPARE(GetMessage(path_.toStdString(), "Español", "1"), std::string("Zerlant=Z"));
        QVERIFY(!editor->model().modified());
        QVERIFY(editor->close());
        // Three languages, the separator and the editor's entry.
        QCOMPARE(window.languageMenu()->actions().size(), 5);
        QCOMPARE(window.languageMenu()->actions().value(2)->text(), QString("Deutsch"));
        // Opened again, the editor shows what was saved.
        LanguageEditor again(*app_, saved, *dialogs_);
        QCOMPARE(again.grid()->item(0, 0)->text(), QString("Zerlant=Z"));
        QCOMPARE(again.grid()->horizontalHeaderItem(2)->text(), QString("Deutsch"));
    }

  private:
    QString path_;
};

QTEST_MAIN(LanguageEditorTest)
#include "languageeditor_test.moc"
