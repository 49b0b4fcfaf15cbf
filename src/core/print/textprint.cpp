#include "core/print/textprint.hpp"

#include <algorithm>
#include <cmath>

namespace zerlant {

namespace {

// Words are runs of characters above the blank; control characters, blanks
// and line ends separate them.  Bytes of UTF-8 sequences count as above.
bool isWordByte(char c) {
    return static_cast<unsigned char>(c) > 0x20;
}

bool isVisible(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

// The end of the UTF-8 character that starts at i.
std::size_t nextCharEnd(std::string_view s, std::size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    return i;
}

}  // namespace

std::string pageFooterText(int pageNumber) {
    std::string text = "P\xC3\xA1gina: ";
    if (pageNumber != 0)
        text += std::to_string(pageNumber);  // "###" shows no zero
    return text;
}

void TextPrinter::printRun(std::string_view text) {
    if (isVisible(text))
        page_.drawText(x_, y_, text);
    x_ += page_.textWidth(text);
}

void TextPrinter::printLine(std::string_view text) {
    if (isVisible(text))
        page_.drawText(x_, y_, text);
    endLine();
}

void TextPrinter::endLine() {
    x_ = 0;
    y_ += page_.lineHeight();
}

void TextPrinter::printCentredLine(std::string_view text) {
    // A text wider than the page starts at its left edge rather than before it.
    x_ = std::max(0, (page_.printableWidth() - page_.textWidth(text)) / 2);
    printLine(text);
}

bool TextPrinter::belowBottomLimit() const {
    return y_ > page_.printableHeight() - kPrintBottomReserve;
}

void TextPrinter::PrintPageHeader(std::string_view title, std::string_view subtitle) {
    printLine(" ");
    printLine(" ");
    printCentredLine(title);
    if (!subtitle.empty()) {
        printLine(" ");
        printCentredLine(subtitle);
    }
    printLine(" ");
    endLine();
}

void TextPrinter::PrintPageFooter() {
    endLine();
    printCentredLine(pageFooterText(pageNumber_));
    if (!page_.newPage())
        failed_ = true;
    ++pageNumber_;
    x_ = 0;
    y_ = 0;
}

// A word wider than the whole line would run past the printable area and be
// lost: it starts a line of its own and is broken at the right limit.
void TextPrinter::printOverlongWord(std::string_view word) {
    const int limit = page_.printableWidth();
    auto nextLine = [&] {
        endLine();
        if (belowBottomLimit())
            PrintPageFooter();
        x_ = kPrintLeftMargin;
    };
    if (x_ > kPrintLeftMargin)
        nextLine();
    while (!word.empty() && !failed_) {
        std::size_t end = nextCharEnd(word, 0);  // at least one character per line
        while (end < word.size()) {
            std::size_t next = nextCharEnd(word, end);
            if (kPrintLeftMargin + page_.textWidth(word.substr(0, next)) > limit)
                break;
            end = next;
        }
        printRun(word.substr(0, end));
        word.remove_prefix(end);
        if (!word.empty())
            nextLine();
    }
}

Status TextPrinter::PrintText(std::string_view text, std::string_view title,
                              std::string_view subtitle, bool withPicture) {
    const int width = page_.printableWidth();
    const int height = page_.printableHeight();
    if (page_.lineHeight() <= 0)
        return Error{"the page has no line height", {}};

    x_ = 0;
    y_ = kPrintTitleTop;
    PrintPageHeader(title, subtitle);
    if (withPicture) {
        // The text goes below the picture, not over it.
        y_ += std::max(0, page_.drawPicture(kPrintLeftMargin, y_, width - 2 * kPrintLeftMargin));
    }
    x_ = kPrintLeftMargin;

    std::size_t p = 0;
    while (p < text.size() && !failed_) {
        const std::size_t start = p;
        while (p < text.size() && isWordByte(text[p])) ++p;
        const std::string_view word = text.substr(start, p - start);

        if (word != kPageBreakMarker && kPrintLeftMargin + page_.textWidth(word) > width) {
            printOverlongWord(word);
        } else {
            if (x_ + page_.textWidth(word) > width) {
                endLine();
                if (belowBottomLimit())
                    PrintPageFooter();  // next page starts at its top
                x_ = kPrintLeftMargin;
            }
            if (word == kPageBreakMarker) {
                y_ = height - kPrintBottomReserve;
                PrintPageFooter();
                y_ = kPrintTitleTop;
                PrintPageHeader(title, " ");
                x_ = kPrintLeftMargin;
                continue;
            }
            printRun(word);
        }

        for (; p < text.size() && !isWordByte(text[p]) && !failed_; ++p) {
            switch (text[p]) {
                case ' ':
                    printRun(" ");
                    break;
                case '\n':
                    endLine();
                    if (belowBottomLimit()) {
                        PrintPageFooter();
                        y_ = kPrintTitleTop;
                        PrintPageHeader(title, " ");
                    }
                    x_ = kPrintLeftMargin;
                    break;
                case '\t': {
                    const int zero = page_.textWidth("0");
                    if (zero <= 0)
                        break;
                    long column = std::lround(static_cast<double>(x_ - kPrintLeftMargin) / zero);
                    column += kPrintTabColumns - column % kPrintTabColumns;
                    x_ = kPrintLeftMargin + static_cast<int>(column) * zero;
                    break;
                }
                default:  // CR and every other control character
                    break;
            }
        }
    }

    // The last page is filled down to the bottom limit and carries no number.
    while (!failed_ && y_ < height - kPrintBottomReserve) endLine();
    if (!failed_ && !page_.endDocument())
        failed_ = true;
    if (failed_)
        return Error{"the printer reported a failure", {}};
    return success();
}

Status PrintText(PrintPage& page, std::string_view text, std::string_view title,
                 std::string_view subtitle, bool withPicture) {
    return TextPrinter(page).PrintText(text, title, subtitle, withPicture);
}

}  // namespace zerlant
