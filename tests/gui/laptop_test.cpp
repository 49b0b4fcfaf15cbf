// The window on a laptop screen, in every language of the delivered file:
// no window or dialog needs more than 1024x700, the results get most of the
// width, a saved size never exceeds the screen, and a language switch leaves
// no caption of the other language, Qt's own dialogs included.  With
// ZERLANT_SCREENS=FOLDER the window is saved there at 1280x800 and 1024x700.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QtTest>
#include <functional>

#include "core/language/languagefile.hpp"
#include "gui/app/aboutbox.hpp"
#include "gui/app/captions.hpp"
#include "gui/app/manualwindow.hpp"
#include "gui/app/splashwindow.hpp"
#include "gui/jobs/jobdialogs.hpp"
#include "gui/language/languageeditor.hpp"
#include "gui/mainwindow/aimpanel.hpp"
#include "gui/mainwindow/extractpanel.hpp"
#include "gui/mainwindow/scanpanel.hpp"
#include "gui/molecule/moleculedock.hpp"
#include "gui/molecule/moleculepane.hpp"
#include "gui/molecule/structurecanvas.hpp"
#include "gui/plots/plotwindow.hpp"
#include "gui/results/resultsdock.hpp"
#include "gui/results/resultsview.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;

namespace {

const QSize kLaptop(1024, 700);
const QString kExamples = QStringLiteral(ZERLANT_SOURCE_DIR "/examples");

QString bare(QString text);

// The texts of one language section, bare, longer than one character.
QSet<QString> section(const QString& languageFile, const std::string& language) {
    QSet<QString> out;
    auto file = LanguageFile::load(languageFile.toStdString());
    if (!file)
        return out;
    const MessageLookup lookup = file->lookup(language);
    for (int n = 1; n < 1000; ++n)
        if (const QString text = bare(QString::fromStdString(lookup.byNumber(n))); text.size() > 1)
            out.insert(text);
    return out;
}

QString bare(QString text) {
    text = withoutMnemonic(text).trimmed();
    for (const char* ending : {"...", ":"})
        if (text.endsWith(QLatin1String(ending)))
            text.chop(static_cast<int>(qstrlen(ending)));
    return text.trimmed();
}

// Every caption a person sees in the widget and everything under it: button
// and label texts, group and window titles, tabs, menus, actions, table
// headings and combo items.  A rich-text label counts by its pieces between
// "·" and ":".
QStringList captionsUnder(QWidget* root) {
    QStringList out;
    auto add = [&out](const QString& text) {
        if (!bare(text).isEmpty())
            out << bare(text);
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->isWindow() || qobject_cast<QDockWidget*>(w))
            add(w->windowTitle());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(g->title());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            static const QRegularExpression pieces(QStringLiteral("[·:\\n]"));
            const QString plain = QTextDocumentFragment::fromHtml(l->text()).toPlainText();
            for (const QString& piece : plain.split(pieces)) add(piece);
        }
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) add(t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) add(c->itemText(i));
        if (auto* v = qobject_cast<QTableView*>(w); v && v->model())
            for (int c = 0; c < v->model()->columnCount(); ++c)
                add(v->model()->headerData(c, Qt::Horizontal).toString());
        if (auto* m = qobject_cast<QMenu*>(w))
            add(m->title());
        for (QAction* a : w->actions()) {
            add(a->text());
            if (a->menu() != nullptr)
                out << captionsUnder(a->menu());
        }
    }
    return out;
}

}  // namespace

class LaptopTest : public QObject, testing::Session {
    Q_OBJECT

  private slots:
    void init() { startSession(); }
    void cleanup() { endSession(); }

    // Each window and dialog, in each language, after runs of every reading
    // tool, needs at most 1024x700; the main window with the results shown
    // fits 1024x700 whichever tool is shown, and at 1280x800 the results get
    // more than half of the width.
    void everyWindowFitsALaptopInEveryLanguage() {
        for (const std::string& language : languages()) {
            openWindowIn(language);
            runEveryReadingTool();
            ResultsDock* dock = window_->resultsDock();
            QCOMPARE(dock->pages()->count(), 4);

            // Shown, so that the dock counts.
            window_->resize(1280, 800);
            window_->show();
            QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
            LanguageEditor editor(*app_, app_->languages(), *dialogs_);
            AboutBox about(*app_, *dialogs_);
            SplashWindow splash(*app_);
            ManualWindow manual(*app_, manualPage(*app_));
            PlotWindow* plot = window_->resultsDock()
                                   ->view(ResultsDock::Page::Extract)
                                   ->plotSpectrum(plotdata::Kind::Uv);
            QVERIFY(plot);
            // The previews of Tools > Next job and Sort jobs, over the examples.
            std::vector<std::string> outputs;
            for (const char* f :
                 {"water_opt_freq.log", "methane_failed.log", "formaldehyde_td.out"})
                outputs.push_back(QDir(kExamples).filePath(f).toStdString());
            NextJobDialog nextJob(*app_, outputs);
            SortJobsDialog sortJobs(*app_, outputs);
            for (auto [name, w] : std::initializer_list<std::pair<const char*, QWidget*>>{
                     {"language editor", &editor},
                     {"about box", &about},
                     {"splash", &splash},
                     {"manual", &manual},
                     {"plot", plot},
                     {"next job", &nextJob},
                     {"sort jobs", &sortJobs}})
                checkFits(w, name, language);
            // A window that opens by itself stays on the screen.
            editor.show();
            const QRect room = editor.screen()->availableGeometry();
            QVERIFY2(room.contains(editor.frameGeometry()), language.c_str());

            window_->showPanel(Panel::Extract);
            QTRY_VERIFY2(dock->width() > window_->width() / 2,
                         qPrintable(QString::number(dock->width())));
            dock->showPage(ResultsDock::Page::Extract);
            screenshot("laptop-1280", language);
            window_->resize(kLaptop);
            QTRY_COMPARE(window_->size(), kLaptop);
            screenshot("laptop-1024", language);
            // The results, above the structure pane, keep the larger share of
            // the height and show every row of the run.
            QTRY_VERIFY(dock->height() > window_->findChild<MoleculeDock*>()->height());
            QTableView* main = dock->view(ResultsDock::Page::Extract)->tableView(0);
            QVERIFY(main->rowViewportPosition(2) + main->rowHeight(2) <=
                    main->viewport()->height());
            // At that size, whichever tool is shown, the window fits and the
            // tool's run button is in view.
            const std::pair<Panel, const char*> runButtons[] = {
                {Panel::Extract, "BTejecutar1"}, {Panel::Scan, "BTejecutar4"},
                {Panel::Rename, "BTejecutar"},   {Panel::Substitute, "BTejecutar2"},
                {Panel::Batch, "BTejecutar3"},   {Panel::Aim, "BTejecutar5"}};
            for (const auto& [p, name] : runButtons) {
                window_->showPanel(p);
                checkFits(window_.get(), QStringLiteral("main window, ") + name, language);
                auto* run = window_->panel(p)->findChild<QPushButton*>(name);
                QTRY_COMPARE(run->visibleRegion().boundingRect().size(), run->size());
            }
            plot->close();
        }
    }

    // With every view open (results of each tool, the manual, the language
    // editor), switching the language leaves no caption that is a message of
    // the language left and not of the one chosen; Qt's own buttons and file
    // dialog follow.
    void languageSwitchLeavesNoCaptionOfTheOtherLanguage() {
        const std::vector<std::string> names = languages();
        QVERIFY(names.size() >= 2);
        for (const std::string& from : names) {
            for (const std::string& to : names) {
                if (to == from)
                    continue;
                openWindowIn(from);
                runEveryReadingTool();
                window_->showManual();
                window_->openLanguageEditor();
                window_->switchLanguage(QString::fromStdString(to));

                const QSet<QString> stale =
                    section(program_->languageFile(), from) - section(program_->languageFile(), to);

                QStringList captions = captionsUnder(window_.get());
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (top != window_.get() && top->isVisible())
                        captions << captionsUnder(top);
                QStringList left;
                for (const QString& c : captions)
                    if (stale.contains(c) && !left.contains(c))
                        left << c;
                QVERIFY2(left.isEmpty(), qPrintable(QString::fromStdString(from + " -> " + to) +
                                                    ": " + left.join(" | ")));

                // The manual is the chosen language's own.
                auto* manual = testing::shownWindow<ManualWindow>();
                QVERIFY(manual->browser()->source().toLocalFile().contains(
                    "/" + app_->msg(Msg::LocaleCode) + "/"));

                // Qt's own texts: buttons of a message box, the file dialog.
                QMessageBox box(QMessageBox::Question, "t", "x",
                                QMessageBox::Ok | QMessageBox::Cancel);
                const bool english = app_->msg(Msg::LocaleCode) == "en";
                QCOMPARE(bare(box.button(QMessageBox::Cancel)->text()) == "Cancel", english);
                QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:") == "Look in:",
                         english);
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (top != window_.get())
                        top->close();
                window_.reset();
                app_.reset();
            }
        }
    }

  private:
    std::vector<std::string> languages() const {
        AppContext probe(program_->folder());
        return probe.languages().languageNames;
    }

    void openWindowIn(const std::string& language) {
        window_.reset();
        QByteArray bytes = program_->languageBytes();
        const qsizetype at = bytes.indexOf("idioma=");
        const qsizetype end = bytes.indexOf('\r', at);
        bytes.replace(at, end - at, "idioma=" + QByteArray::fromStdString(language));
        QVERIFY(testing::writeFile(program_->languageFile(), bytes));
        app_ = std::make_unique<AppContext>(program_->folder());
        QCOMPARE(app_->currentLanguage(), language);
        window_ = std::make_unique<MainWindow>(*app_, *dialogs_, kExamples);
    }

    // Extract, Scan, Aim and thermochemistry on the bundled examples.
    void runEveryReadingTool() {
        const std::pair<Panel, QStringList> runs[] = {
            {Panel::Extract, {"formaldehyde_td.out", "water_opt_freq.log", "methane_failed.log"}},
            {Panel::Scan, {"scan_water.log"}},
            {Panel::Aim, {"water.sum"}},
        };
        for (const auto& [panel, files] : runs) {
            window_->showPanel(panel);
            window_->listModel()->add(kExamples, files);
            QVERIFY(testing::runAndWait(qobject_cast<ReadingPanel*>(window_->panel(panel))));
        }
        window_->showPanel(Panel::Extract);
        window_->listModel()->add(kExamples, {"water_opt_freq.log"});
        QSignalSpy thermo(window_.get(), &MainWindow::thermoShown);
        window_->runThermo();
        QVERIFY(thermo.wait(60000));
        // The structure pane beside them, with a file's geometry and steps.
        auto* structure = window_->findChild<MoleculeDock*>();
        QVERIFY(structure);
        structure->request(kExamples + "/water_opt_freq.log");
        QVERIFY(!structure->isHidden());
        QCOMPARE(structure->pane()->canvas()->atoms().size(), std::size_t(3));
    }

    // With ZERLANT_SCREENS=FOLDER: the window as it is now, as NAME-LANG.png.
    void screenshot(const QString& name, const std::string& language) {
        const QString folder = qEnvironmentVariable("ZERLANT_SCREENS");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        QTest::qWait(300);
        window_->grab().save(
            QDir(folder).filePath(name + "-" + QString::fromStdString(language) + ".png"));
    }

    void checkFits(QWidget* w, const QString& name, const std::string& language) {
        const QSize need = w->minimumSizeHint().expandedTo(w->minimumSize());
        QVERIFY2(need.boundedTo(kLaptop) == need,
                 qPrintable(name + " in " + QString::fromStdString(language)));
    }
};

QTEST_MAIN(LaptopTest)
#include "laptop_test.moc"
