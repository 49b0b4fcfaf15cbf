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

    // The PDF holds as many pages as the layout started (the language
    // file's printout, longer than a page: printButton).
    void pageCounts() {
        QTemporaryDir tmp;
        const QString broken = tmp.filePath(QStringLiteral("broken.pdf"));
        QVERIFY(printTextToPdf(broken, QStringLiteral("T\u00edtulo"), QStringLiteral("Sub"),
                               "first\r\n.../...\r\nsecond\r\n.../... third\r\n"));
        QVERIFY(readFile(broken).startsWith("%PDF"));
        QCOMPARE(pdfPageCount(broken), 3);  // two page-break markers
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
        // The file dialog's answer, whether it prints, and the message shown.
        const std::tuple<QString, bool, QStringList> cases[] = {
            {QString(), false, QStringList()},
            {tmp.filePath("out"), true, QStringList()},
            {tmp.filePath("missing/out.pdf"), false, QStringList{failed}}};
        for (const auto& [answer, printed, texts] : cases) {
            RecordingDialogs dialogs;
            dialogs.saveAnswer = answer;
            QCOMPARE(printLanguageText(nullptr, "T", "S", "text", messages, dialogs), printed);
            QCOMPARE(dialogs.texts(), texts);
            if (!texts.isEmpty())
                QVERIFY(dialogs.shown[0].icon == Dialogs::Icon::None &&
                        dialogs.shown[0].title == "Zerlant");
        }
        QVERIFY(readFile(tmp.filePath("out.pdf")).startsWith("%PDF"));

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
