// Printing through Qt into PDF files: the page's measures, page counts, the
// printout of the delivered language file, and the print button's failures.

#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/language/languagefile.hpp"
#include "gui/language/printing.hpp"
#include "guitestsupport.hpp"

using namespace zerlant;
using namespace zerlant::gui;
using zerlant::gui::testing::readFile;
using zerlant::gui::testing::RecordingDialogs;

namespace {

// Passes everything to a real page and records what is drawn where.
class RecordingPage : public PrintPage {
  public:
    explicit RecordingPage(PrintPage& page) : page_(page) {}

    struct Drawn {
        int page;
        int x;
        int y;
        int width;
        std::string text;
    };
    std::vector<Drawn> drawn;
    int pages = 1;

    int printableWidth() const override { return page_.printableWidth(); }
    int printableHeight() const override { return page_.printableHeight(); }
    int textWidth(std::string_view text) const override { return page_.textWidth(text); }
    int lineHeight() const override { return page_.lineHeight(); }
    void drawText(int x, int y, std::string_view text) override {
        drawn.push_back({pages, x, y, page_.textWidth(text), std::string(text)});
        page_.drawText(x, y, text);
    }
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
    const QString pdf = QString::fromLatin1(readFile(path));
    return static_cast<int>(
        pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// The text of a PDF file, or a null text when pdftotext is not installed.
QString pdfText(const QString& path) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::string languageFileText(const std::string& path) {
    Result<LanguageFile> file = LanguageFile::load(path);
    if (!file)
        return {};
    std::string text;
    for (const std::string& line : file->lines()) text += line + "\r\n";
    return text;
}

const std::string kDeliveredLanguageFile = ZERLANT_SOURCE_DIR "/resources/idioma.lng";

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

  private slots:
    void heading();
    void pageMeasures();
    void pageCounts();
    void languageFilePrintout();
    void printButton();
};

void PrintingTest::heading() {
    // The date in the user's locale: day first in Spain and Britain, month
    // first in the United States, year first in ISO-minded Sweden.
    const QDate date(2026, 3, 7);
    const PrintHeading h = languagePrintHeading(spanishMessages(), date, QLocale("es_ES"));
    QCOMPARE(h.title, QStringLiteral("Archivo de idiomas  idioma.lng"));
    const std::pair<const char*, const char*> dates[] = {
        {"es_ES", "7/3/26"}, {"en_GB", "07/03/2026"}, {"en_US", "3/7/26"}, {"sv_SE", "2026-03-07"}};
    for (const auto& [locale, text] : dates)
        QCOMPARE(languagePrintHeading(spanishMessages(), date, QLocale(locale)).subtitle,
                 QStringLiteral("Impreso el ") + text);

    const PrintHeading empty =
        languagePrintHeading([](int) { return std::string(); }, QDate(2026, 12, 25), QLocale::c());
    QCOMPARE(empty.title, QStringLiteral("  "));
    QCOMPARE(empty.subtitle, QStringLiteral(" ") +
                                 QLocale::c().toString(QDate(2026, 12, 25), QLocale::ShortFormat));
}

void PrintingTest::pageMeasures() {
    QTemporaryDir tmp;
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, tmp.filePath(QStringLiteral("m.pdf")));
    PrinterPage page(printer);
    QVERIFY(page.ok());

    // A4 (595 x 842 points, 11900 x 16840 twips) less a quarter inch (360
    // twips) on every side.
    const QString size =
        QStringLiteral("%1 x %2").arg(page.printableWidth()).arg(page.printableHeight());
    QVERIFY2(std::abs(page.printableWidth() - 11180) <= 8, qPrintable(size));
    QVERIFY2(std::abs(page.printableHeight() - 16120) <= 8, qPrintable(size));

    // A 10-point line is a little taller than 10 points (200 twips).
    QVERIFY2(page.lineHeight() >= 200 && page.lineHeight() <= 320,
             qPrintable(QString::number(page.lineHeight())));
    // Monospace: every character, accented or not, as wide as "0"; the
    // widths come from UTF-8 characters, not bytes.
    const int zero = page.textWidth("0");
    QVERIFY(zero > 80 && zero < 160);
    QVERIFY(std::abs(page.textWidth("0000000000") - 10 * zero) <= 5);
    QVERIFY(std::abs(page.textWidth("P\xC3\xA1gina:") - 7 * zero) <= 4);
    QCOMPARE(page.textWidth(""), 0);
    QVERIFY(page.endDocument());
    QVERIFY(!page.ok());
}

void PrintingTest::pageCounts() {
    QTemporaryDir tmp;

    // Two page-break markers: three pages whatever the font.
    const QString broken = tmp.filePath(QStringLiteral("broken.pdf"));
    QVERIFY(printTextToPdf(broken, QStringLiteral("T\u00edtulo"), QStringLiteral("Sub"),
                           "first\r\n.../...\r\nsecond\r\n.../... third\r\n"));
    const QByteArray bytes = readFile(broken);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(broken), 3);

    // A long text over several pages: the PDF holds as many pages as the
    // layout started, each after the first through QPrinter::newPage().
    std::string text;
    for (int i = 1; i <= 400; ++i)
        text += "Line " + std::to_string(i) + "\twith a tab and some words\r\n";
    const QString countedPdf = tmp.filePath(QStringLiteral("counted.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, countedPdf);
    PrinterPage page(printer);
    RecordingPage recorder(page);
    QVERIFY(PrintText(recorder, text, "Title", "").ok());

    QVERIFY2(recorder.pages >= 6, qPrintable(QString::number(recorder.pages)));
    QCOMPARE(pdfPageCount(countedPdf), recorder.pages);

    // The file cannot be created: a failure, not a success.
    QVERIFY(!printTextToPdf(tmp.filePath(QStringLiteral("missing/x.pdf")), QStringLiteral("T"),
                            QString(), "text"));
}

// The delivered language file printed as the language editor prints it.  Set
// ZERLANT_PRINTOUT_PDF to a file name to keep the PDF for looking at.
void PrintingTest::languageFilePrintout() {
    const std::string text = languageFileText(kDeliveredLanguageFile);
    QVERIFY(!text.empty());
    const PrintHeading heading = languagePrintHeading(spanishMessages());

    QTemporaryDir tmp;
    QString pdfPath = qEnvironmentVariable("ZERLANT_PRINTOUT_PDF");
    if (pdfPath.isEmpty())
        pdfPath = tmp.filePath(QStringLiteral("idioma.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, pdfPath);
    PrinterPage page(printer);
    QVERIFY(page.ok());
    RecordingPage recorder(page);
    QVERIFY(PrintText(recorder, text, heading.title.toStdString(), heading.subtitle.toStdString())
                .ok());
    const int width = page.printableWidth();
    const int height = page.printableHeight();

    // Nothing runs past the right edge of the printable area or below it.
    for (const auto& d : recorder.drawn) {
        QVERIFY2(d.x >= 0 && d.x + d.width <= width, d.text.c_str());
        QVERIFY2(d.y >= 0 && d.y + page.lineHeight() <= height, d.text.c_str());
    }

    // The title block on page 1, centred; a page number at the foot of each
    // page but the last.
    const auto title =
        std::find_if(recorder.drawn.begin(), recorder.drawn.end(),
                     [&](const auto& d) { return d.text == heading.title.toStdString(); });
    QVERIFY(title != recorder.drawn.end());
    QCOMPARE(title->page, 1);
    QVERIFY(std::abs(title->x * 2 + title->width - width) <= 2);
    QVERIFY(recorder.pages >= 2);
    for (int p = 1; p <= recorder.pages; ++p) {
        const std::string footer = pageFooterText(p);
        const bool found = std::any_of(
            recorder.drawn.begin(), recorder.drawn.end(),
            [&](const auto& d) { return d.page == p && d.text == footer && d.y > height - 1000; });
        QCOMPARE(found, p < recorder.pages);
    }

    QCOMPARE(pdfPageCount(pdfPath), recorder.pages);
    const QString printed = pdfText(pdfPath);
    if (!printed.isNull()) {
        QVERIFY(printed.simplified().contains(heading.title.simplified()));
        QVERIFY(printed.contains(QStringLiteral("P\u00e1gina: 1")));
        QVERIFY(printed.contains(QStringLiteral("[Espa\u00f1ol]")));
    }
}

void PrintingTest::printButton() {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: the print dialog would wait for an answer");
    QTemporaryDir tmp;
    const MessageLookup messages = spanishMessages();

    // Cancelling the file dialog prints nothing and reports nothing.
    RecordingDialogs cancelled;
    QVERIFY(!printLanguageText(nullptr, "T", "S", "text", messages, cancelled));
    QCOMPARE(cancelled.suggestedPaths.size(), 1);
    QVERIFY(cancelled.shown.isEmpty());

    // A name without an extension becomes a .pdf file.
    RecordingDialogs named;
    named.saveAnswer = tmp.filePath(QStringLiteral("out"));
    QVERIFY(printLanguageText(nullptr, "T", "S", "text", messages, named));
    QVERIFY(readFile(tmp.filePath(QStringLiteral("out.pdf"))).startsWith("%PDF"));
    QVERIFY(named.shown.isEmpty());

    // A file that cannot be written: message 5 in a plain box titled message 1.
    RecordingDialogs failing;
    failing.saveAnswer = tmp.filePath(QStringLiteral("missing/out.pdf"));
    QVERIFY(!printLanguageText(nullptr, "T", "S", "text", messages, failing));
    QCOMPARE(failing.shown.size(), 1);
    QCOMPARE(failing.shown[0].icon, Dialogs::Icon::None);
    QCOMPARE(failing.shown[0].title, QStringLiteral("Zerlant"));
    QCOMPARE(failing.shown[0].text, QStringLiteral("No se ha podido imprimir."));

    // The language file as saved; a missing one is a failed print.
    RecordingDialogs file;
    file.saveAnswer = tmp.filePath(QStringLiteral("idioma.pdf"));
    QVERIFY(printLanguageFile(nullptr, kDeliveredLanguageFile, messages, file));
    QVERIFY(pdfPageCount(file.saveAnswer) >= 2);
    RecordingDialogs missing;
    missing.saveAnswer = tmp.filePath(QStringLiteral("none.pdf"));
    QVERIFY(!printLanguageFile(nullptr, tmp.filePath(QStringLiteral("none.lng")).toStdString(),
                               messages, missing));
    QCOMPARE(missing.shown.size(), 1);
    QCOMPARE(missing.shown[0].text, QStringLiteral("No se ha podido imprimir."));
    QVERIFY(!QFile::exists(missing.saveAnswer));
}

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
