// Printing through Qt into PDF files: the heading's date, the page's
// measures, page counts, and the print button's outcomes.  The layout of
// the text on the pages is the core's (tests/core/print).

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <map>
#include <string>

#include "gui/language/printing.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::readFile;
using zerlant::gui::testing::RecordingDialogs;

namespace {

// Passes everything to a real page and counts the pages started.
class CountingPage : public PrintPage {
  public:
    explicit CountingPage(PrintPage& page) : page_(page) {}
    int pages = 1;

    int printableWidth() const override { return page_.printableWidth(); }
    int printableHeight() const override { return page_.printableHeight(); }
    int textWidth(std::string_view text) const override { return page_.textWidth(text); }
    int lineHeight() const override { return page_.lineHeight(); }
    void drawText(int x, int y, std::string_view text) override { page_.drawText(x, y, text); }
    bool newPage() override {
        ++pages;
        return page_.newPage();
    }
    bool endDocument() override { return page_.endDocument(); }

  private:
    PrintPage& page_;
};

MessageLookup spanishMessages() {
    const std::map<int, std::string> texts = {{1, "Zerlant"},
                                              {3, "Imprimir"},
                                              {4, "Archivo de idiomas"},
                                              {5, "No se ha podido imprimir."},
                                              {9, "idioma.lng"},
                                              {10, "Impreso el"}};
    return [texts](int n) {
        auto it = texts.find(n);
        return it == texts.end() ? std::string() : it->second;
    };
}

// Pages of a PDF file: its page objects.
int pdfPageCount(const QString& path) {
    return static_cast<int>(
        QString::fromLatin1(readFile(path))
            .count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    // The date in the user's locale: day first in Spain and Britain, month
    // first in the United States, year first in ISO-minded Sweden.
    void headingDateInTheUsersLocale() {
        const QDate date(2026, 3, 7);
        QCOMPARE(languagePrintHeading(spanishMessages(), date, QLocale("es_ES")).title,
                 QStringLiteral("Archivo de idiomas  idioma.lng"));
        const std::pair<const char*, const char*> dates[] = {{"es_ES", "7/3/26"},
                                                             {"en_GB", "07/03/2026"},
                                                             {"en_US", "3/7/26"},
                                                             {"sv_SE", "2026-03-07"}};
        for (const auto& [locale, text] : dates)
            QCOMPARE(languagePrintHeading(spanishMessages(), date, QLocale(locale)).subtitle,
                     QStringLiteral("Impreso el ") + text);
    }

    // A4 (11900 x 16840 twips) less a quarter inch (360 twips) on every side;
    // a 10-point line a little taller than 10 points (200 twips); monospace:
    // every character, accented or not, as wide as "0".
    void pageMeasures() {
        QTemporaryDir tmp;
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, tmp.filePath(QStringLiteral("m.pdf")));
        PrinterPage page(printer);
        QVERIFY(page.ok());
        QVERIFY(std::abs(page.printableWidth() - 11180) <= 8);
        QVERIFY(std::abs(page.printableHeight() - 16120) <= 8);
        QVERIFY(page.lineHeight() >= 200 && page.lineHeight() <= 320);
        const int zero = page.textWidth("0");
        QVERIFY(zero > 80 && zero < 160);
        QVERIFY(std::abs(page.textWidth("P\xC3\xA1gina:") - 7 * zero) <= 4);
        QVERIFY(page.endDocument() && !page.ok());
    }

    // The PDF holds as many pages as the layout started.
    void pageCounts() {
        QTemporaryDir tmp;
        const QString broken = tmp.filePath(QStringLiteral("broken.pdf"));
        QVERIFY(printTextToPdf(broken, QStringLiteral("T\u00edtulo"), QStringLiteral("Sub"),
                               "first\r\n.../...\r\nsecond\r\n.../... third\r\n"));
        QVERIFY(readFile(broken).startsWith("%PDF"));
        QCOMPARE(pdfPageCount(broken), 3);  // two page-break markers

        std::string text;
        for (int i = 1; i <= 400; ++i)
            text += "Line " + std::to_string(i) + "\twith a tab and some words\r\n";
        const QString counted = tmp.filePath(QStringLiteral("counted.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        setUpPdfPrinter(printer, counted);
        PrinterPage page(printer);
        CountingPage counter(page);
        QVERIFY(PrintText(counter, text, "Title", "").ok());
        QVERIFY(counter.pages >= 6);
        QCOMPARE(pdfPageCount(counted), counter.pages);
        // The file cannot be created: a failure, not a success.
        QVERIFY(!printTextToPdf(tmp.filePath(QStringLiteral("missing/x.pdf")), QStringLiteral("T"),
                                QString(), "text"));
    }

    // Cancelled, written (a name without an extension becomes .pdf), or not
    // writable: message 5 in a plain box titled message 1.  The delivered
    // language file prints with its heading; a missing one is a failed print.
    // Set ZERLANT_PRINTOUT_PDF to a file name to keep its PDF for looking at.
    void printButton() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: the print dialog would wait for an answer");
        QTemporaryDir tmp;
        const MessageLookup messages = spanishMessages();
        const QString failed = QStringLiteral("No se ha podido imprimir.");
        const struct {
            QString answer;  // of the file dialog
            bool printed;
            QString pdf;  // the file written
        } cases[] = {{{}, false, {}},
                     {tmp.filePath("out"), true, tmp.filePath("out.pdf")},
                     {tmp.filePath("missing/out.pdf"), false, {}}};
        for (const auto& c : cases) {
            RecordingDialogs dialogs;
            dialogs.saveAnswer = c.answer;
            QCOMPARE(printLanguageText(nullptr, "T", "S", "text", messages, dialogs), c.printed);
            QCOMPARE(dialogs.suggestedPaths.size(), 1);
            QCOMPARE(dialogs.texts(),
                     c.printed || c.answer.isEmpty() ? QStringList() : QStringList{failed});
            if (!dialogs.shown.isEmpty()) {
                QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::None);
                QCOMPARE(dialogs.shown[0].title, QStringLiteral("Zerlant"));
            }
            if (!c.pdf.isEmpty())
                QVERIFY(readFile(c.pdf).startsWith("%PDF"));
        }

        RecordingDialogs file;
        file.saveAnswer = qEnvironmentVariable("ZERLANT_PRINTOUT_PDF", tmp.filePath("idioma.pdf"));
        QVERIFY(
            printLanguageFile(nullptr, ZERLANT_SOURCE_DIR "/resources/idioma.lng", messages, file));
        QVERIFY(pdfPageCount(file.saveAnswer) >= 2);
        if (const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
            !pdftotext.isEmpty()) {
            QProcess p;
            p.start(pdftotext, {"-layout", file.saveAnswer, "-"});
            QVERIFY(p.waitForFinished(30000));
            const QString printed = QString::fromUtf8(p.readAllStandardOutput());
            QVERIFY(printed.simplified().contains("Archivo de idiomas idioma.lng"));
            QVERIFY(printed.contains(QStringLiteral("P\u00e1gina: 1")));
            QVERIFY(printed.contains(QStringLiteral("[Espa\u00f1ol]")));
        }
        RecordingDialogs missing;
        missing.saveAnswer = tmp.filePath("none.pdf");
        QVERIFY(
            !printLanguageFile(nullptr, tmp.filePath("none.lng").toStdString(), messages, missing));
        QCOMPARE(missing.texts(), QStringList{failed});
        QVERIFY(!QFile::exists(missing.saveAnswer));
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
