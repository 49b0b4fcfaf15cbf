#pragma once
// Printing a long text page by page: a centred title block at the top of the
// first page, a centred page number at the foot of every page but the last,
// word wrapping at the right limit, tab stops every ten widths of "0" and a
// forced page break where the text holds the word ".../...".
//
// The layout works against an abstract page so that it runs without a
// printer: the desktop program implements PrintPage over a QPrinter/QPainter
// (A4, the monospace font at 10 points), the tests over a fake that records
// what is drawn.  Every position and size is in twips (1440 per inch),
// measured from the top left corner of the printable area.

#include <string>
#include <string_view>

#include "core/common/result.hpp"

namespace zerlant {

class PrintPage {
  public:
    virtual ~PrintPage() = default;

    virtual int printableWidth() const = 0;
    virtual int printableHeight() const = 0;
    // Printed width of a UTF-8 text in the page's font.
    virtual int textWidth(std::string_view text) const = 0;
    // Height of one printed line in the page's font.
    virtual int lineHeight() const = 0;

    // Draws a UTF-8 text whose line has its top left corner at (x, y).
    virtual void drawText(int x, int y, std::string_view text) = 0;
    // Paints the picture to be printed below the title block, top left
    // corner at (x, y), scaled to `width`; returns the height it takes.
    // A page without a picture paints nothing and returns 0.
    virtual int drawPicture(int x, int y, int width) {
        (void)x;
        (void)y;
        (void)width;
        return 0;
    }
    // Ends the current page and starts the next; false when printing failed.
    virtual bool newPage() = 0;
    // Ends the print job; false when printing failed.
    virtual bool endDocument() = 0;
};

inline constexpr int kPrintLeftMargin = 1440;     // x of every text line
inline constexpr int kPrintTitleTop = 800;        // y of a page that starts with the title block
inline constexpr int kPrintBottomReserve = 1000;  // a page ends below printable height minus this
inline constexpr int kPrintTabColumns = 10;       // tab stops every ten widths of "0"
inline constexpr std::string_view kPageBreakMarker = ".../...";

// "Página: " followed by the page number.
std::string pageFooterText(int pageNumber);

// The print position and page count of one print job on one page device.
class TextPrinter {
  public:
    explicit TextPrinter(PrintPage& page) : page_(page) {}

    // Prints the text with the title block (title and subtitle) at the top
    // of the first page.  With `withPicture` the page's picture is painted
    // below that title block and the text starts below the picture.
    // Stops at the first failure of the page device.
    Status PrintText(std::string_view text, std::string_view title, std::string_view subtitle,
                     bool withPicture = false);

    // The title block at the current position: two blank lines, the centred
    // title, then (unless the subtitle is empty) a blank line and the centred
    // subtitle, then a blank and an empty line.
    void PrintPageHeader(std::string_view title, std::string_view subtitle);

    // An empty line, the centred page number, and a new page.
    void PrintPageFooter();

    int x() const { return x_; }
    int y() const { return y_; }
    int pageNumber() const { return pageNumber_; }
    bool failed() const { return failed_; }

  private:
    void printLine(std::string_view text);  // at the position, then to the next line
    void printRun(std::string_view text);   // at the position, staying on the line
    void endLine();
    void printCentredLine(std::string_view text);
    bool belowBottomLimit() const;
    void printOverlongWord(std::string_view word);

    PrintPage& page_;
    int x_ = 0;
    int y_ = 0;
    int pageNumber_ = 1;
    bool failed_ = false;
};

// One print job: TextPrinter(page).PrintText(...).
Status PrintText(PrintPage& page, std::string_view text, std::string_view title,
                 std::string_view subtitle, bool withPicture = false);

}  // namespace zerlant
