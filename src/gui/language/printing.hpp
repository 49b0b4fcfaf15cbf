#pragma once
// Printing a long text through Qt: the page layout of the core
// (core/print/textprint.hpp) drawn with a QPainter on a QPrinter, A4, in the
// monospace system font at 10 points.  The printer is chosen in the print
// dialog; where no printer is installed the text goes to a PDF file whose name
// the user picks.  The language editor prints the language file this way.

#include <QDate>
#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QString>
#include <string>
#include <string_view>

#include "core/common/types.hpp"
#include "core/print/textprint.hpp"

class QPrinter;
class QWidget;

namespace zerlant::gui {

class Dialogs;

// A PrintPage over a QPrinter.  Twips (1440 per inch) of the layout become
// device units at the printer's resolution; positions count from the top left
// corner of the printable area (the paper less the page margins).
class PrinterPage : public PrintPage {
  public:
    // Sets A4 and begins painting on the printer; ok() tells whether that worked
    // (it fails, for instance, for a PDF file that cannot be created).
    explicit PrinterPage(QPrinter& printer);
    ~PrinterPage() override;

    PrinterPage(const PrinterPage&) = delete;
    PrinterPage& operator=(const PrinterPage&) = delete;

    bool ok() const { return painter_.isActive(); }
    const QFont& font() const { return font_; }

    int printableWidth() const override;
    int printableHeight() const override;
    int textWidth(std::string_view text) const override;
    int lineHeight() const override;
    void drawText(int x, int y, std::string_view text) override;
    bool newPage() override;
    bool endDocument() override;

  private:
    int toTwips(double deviceUnits) const;
    double toDevice(int twips) const;

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    double resolution_ = 1200;  // device units per inch
};

// The monospace system font at 10 points, as the printout uses it.
QFont printFont();

// Makes the printer write an A4 PDF file at pdfPath, with the border of a
// desktop printer as page margins.
void setUpPdfPrinter(QPrinter& printer, const QString& pdfPath);

// Title and subtitle of the language file's printout: LanguageFileTitle, two blanks
// and LanguageFileSubtitle; PrintedOn, a blank and the date as mm-dd-yyyy.
struct PrintHeading {
    QString title;
    QString subtitle;
};
// The date is written in the short form of `locale` (the user's by default).
PrintHeading languagePrintHeading(const MessageLookup& messages,
                                  const QDate& today = QDate::currentDate(),
                                  const QLocale& locale = QLocale());

// Prints the text (UTF-8) on a printer that is set up already, title block on
// the first page.  False when the printer cannot be opened or fails midway.
bool printText(QPrinter& printer, const QString& title, const QString& subtitle,
               std::string_view text);

// The same into a PDF file at pdfPath (replaced when it exists), without any
// dialog.
bool printTextToPdf(const QString& pdfPath, const QString& title, const QString& subtitle,
                    std::string_view text);

// The print button: the print dialog chooses the printer, or, where no printer
// is installed, a save dialog names a PDF file.  A failure shows PrintingFailed in
// a plain message box (no icon) titled with the application's title
// (AppTitle).  True when
// the text was printed; false when the user cancelled or printing failed.
bool printLanguageText(QWidget* parent, const QString& title, const QString& subtitle,
                       const std::string& text, const MessageLookup& messages, Dialogs& dialogs);

// The language editor's print button: prints the language file as saved at
// filePath, with the heading of languagePrintHeading().  A file that cannot be
// read is a failed print (PrintingFailed).
bool printLanguageFile(QWidget* parent, const std::string& filePath, const MessageLookup& messages,
                       Dialogs& dialogs);

}  // namespace zerlant::gui
