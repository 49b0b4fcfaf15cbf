#include "core/print/textprint.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zerlant {
namespace {

constexpr int kChar = 120;  // every character is this wide
constexpr int kLine = 240;

// A page device with a monospace font that records what is drawn.
class FakePage : public PrintPage {
  public:
    struct Drawn {
        int page;
        int x;
        int y;
        std::string text;
    };

    FakePage(int width, int height) : width_(width), height_(height) {}

    int printableWidth() const override { return width_; }
    int printableHeight() const override { return height_; }
    int textWidth(std::string_view text) const override {
        int chars = 0;
        for (char c : text)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++chars;
        return chars * kChar;
    }
    int lineHeight() const override { return kLine; }
    void drawText(int x, int y, std::string_view text) override {
        drawn.push_back({pages, x, y, std::string(text)});
    }
    int drawPicture(int, int, int) override { return 0; }
    bool newPage() override {
        ++pages;
        return pages <= failAfterPages;
    }
    bool endDocument() override {
        ++ended;
        return true;
    }

    // The texts drawn on one page (1-based), in order.
    std::vector<Drawn> onPage(int page) const {
        std::vector<Drawn> out;
        for (const Drawn& d : drawn)
            if (d.page == page)
                out.push_back(d);
        return out;
    }
    const Drawn* find(std::string_view text) const {
        for (const Drawn& d : drawn)
            if (d.text == text)
                return &d;
        return nullptr;
    }

    std::vector<Drawn> drawn;
    int pages = 1;
    int ended = 0;
    int failAfterPages = 1000;

  private:
    int width_;
    int height_;
};

constexpr int kWidth = 11000;
constexpr int kHeight = 15000;
// Where the text starts below a title block without / with a subtitle line.
constexpr int kTitleY = kPrintTitleTop + 2 * kLine;
constexpr int kTextYNoSubtitle = kTitleY + 3 * kLine;
constexpr int kTextYWithSubtitle = kTitleY + 5 * kLine;

TEST(TextPrint, EmptyTextPrintsTitleBlockOnOnePage) {
    FakePage page(kWidth, kHeight);
    TextPrinter printer(page);
    ASSERT_TRUE(printer.PrintText("", "Title", "Sub").ok());

    ASSERT_EQ(page.drawn.size(), 2u);  // title and subtitle only
    // empty lines down to the bottom limit, no page number on the last page
    EXPECT_GE(printer.y(), kHeight - kPrintBottomReserve);
    EXPECT_LT(printer.y(), kHeight - kPrintBottomReserve + kLine);
    EXPECT_EQ(page.pages, 1);
    EXPECT_EQ(page.ended, 1);
}

TEST(TextPrint, BlanksLineEndsAndWrapping) {
    // ten characters fit between the left margin and the right limit
    FakePage page(kPrintLeftMargin + 10 * kChar, kHeight);
    ASSERT_TRUE(PrintText(page, "ab  cd\r\nef\n\ngh\r\rij klmno qr", "T", "").ok());
    const int y0 = kTextYNoSubtitle;
    auto at = [&](const char* word, int x, int y) {
        const FakePage::Drawn* d = page.find(word);
        ASSERT_NE(d, nullptr) << word;
        EXPECT_EQ(d->x, x) << word;
        EXPECT_EQ(d->y, y) << word;
    };
    at("ab", kPrintLeftMargin, y0);
    at("cd", kPrintLeftMargin + 4 * kChar, y0);  // two blanks print two blanks
    at("ef", kPrintLeftMargin, y0 + kLine);      // CR LF ends exactly one line
    at("gh", kPrintLeftMargin, y0 + 3 * kLine);  // an empty line; lone CRs are skipped
    at("ij", kPrintLeftMargin + 2 * kChar, y0 + 3 * kLine);
    // "klmno" ends exactly at the right limit and stays on the line
    at("klmno", kPrintLeftMargin + 5 * kChar, y0 + 3 * kLine);
    at("qr", kPrintLeftMargin, y0 + 4 * kLine);
    for (const FakePage::Drawn& d : page.drawn) {
        if (d.text != "T") {
            EXPECT_LE(d.x + page.textWidth(d.text), page.printableWidth()) << d.text;
        }
    }
}

TEST(TextPrint, TabStopsEveryTenZeroWidths) {
    FakePage page(kWidth, kHeight);
    ASSERT_TRUE(PrintText(page, "\tA\nabcdefg\tB\nabcdefghij\tC\n\t\tD\nab\t", "T", "").ok());
    EXPECT_EQ(page.find("A")->x, kPrintLeftMargin + 10 * kChar);  // at the margin: column 10
    EXPECT_EQ(page.find("B")->x, kPrintLeftMargin + 10 * kChar);  // column 7 -> 10
    EXPECT_EQ(page.find("C")->x, kPrintLeftMargin + 20 * kChar);  // column 10 -> 20
    EXPECT_EQ(page.find("D")->x, kPrintLeftMargin + 20 * kChar);
    EXPECT_EQ(page.find("C")->y, kTextYNoSubtitle + 2 * kLine);
}

TEST(TextPrint, PageBreakMarkerStartsPageWithTitle) {
    FakePage page(kWidth, kHeight);
    ASSERT_TRUE(PrintText(page, "first .../... second", "Title", "Sub").ok());
    EXPECT_EQ(page.find(".../..."), nullptr);  // the marker is not printed

    const auto one = page.onPage(1);
    ASSERT_EQ(one.size(), 4u);
    EXPECT_EQ(one[2].text, "first");
    EXPECT_EQ(one[3].text, "P\xC3\xA1gina: 1");

    // the new page: title, the blank subtitle line, and the text
    const auto two = page.onPage(2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].text, "Title");
    EXPECT_EQ(two[1].text, "second");
    EXPECT_EQ(two[1].x, kPrintLeftMargin + kChar);  // the blank after the marker
    EXPECT_EQ(two[1].y, kTextYWithSubtitle);
    EXPECT_EQ(page.pages, 2);  // the last page has no number
}

TEST(TextPrint, FullPagesGetNumberedFooters) {
    // room for a few lines only: the bottom limit is at 4000
    const int height = 5000;
    FakePage page(kPrintLeftMargin + 10 * kChar, height);
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line" + std::to_string(i) + "\r\n";
    ASSERT_TRUE(PrintText(page, text, "T", "").ok());

    int footers = 0;
    for (const FakePage::Drawn& d : page.drawn) {
        if (d.text.rfind("P\xC3\xA1gina: ", 0) == 0) {
            ++footers;
            EXPECT_EQ(d.text, pageFooterText(d.page));
            EXPECT_GT(d.y, height - kPrintBottomReserve);
        } else if (d.text != "T") {
            EXPECT_LE(d.y, height - kPrintBottomReserve) << d.text;
        }
    }
    EXPECT_EQ(footers, page.pages - 1);
    EXPECT_GE(page.pages, 3);
    // after a line end the next page starts with the title block
    EXPECT_EQ(page.onPage(2)[0].text, "T");
    EXPECT_EQ(page.onPage(2)[1].y, kTextYWithSubtitle);

    // a word that wraps onto a full page's next line goes to the top of the
    // next page, without a title block
    FakePage wrap(kPrintLeftMargin + 10 * kChar, height);
    std::string words;
    for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i % 10) + " ";
    ASSERT_TRUE(PrintText(wrap, words, "T", "").ok());
    ASSERT_GE(wrap.pages, 2);
    EXPECT_EQ(wrap.onPage(2)[0].x, kPrintLeftMargin);
    EXPECT_EQ(wrap.onPage(2)[0].y, 0);
    EXPECT_EQ(pageFooterText(12), "P\xC3\xA1gina: 12");
}

TEST(TextPrint, WordWiderThanLineIsBrokenAtTheRightLimit) {
    FakePage page(kPrintLeftMargin + 10 * kChar, kHeight);
    const std::string longWord = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25 characters
    ASSERT_TRUE(PrintText(page, "ab " + longWord + " cd", "T", "").ok());
    const int y0 = kTextYNoSubtitle;
    ASSERT_EQ(page.drawn.size(), 6u);
    EXPECT_EQ(page.drawn[1].text, "ab");
    EXPECT_EQ(page.drawn[2].text, "ABCDEFGHIJ");
    EXPECT_EQ(page.drawn[2].x, kPrintLeftMargin);
    EXPECT_EQ(page.drawn[2].y, y0 + kLine);
    EXPECT_EQ(page.drawn[3].text, "KLMNOPQRST");
    EXPECT_EQ(page.drawn[3].y, y0 + 2 * kLine);
    EXPECT_EQ(page.drawn[4].text, "UVWXY");
    EXPECT_EQ(page.drawn[5].text, "cd");  // the text goes on after the last piece
    EXPECT_EQ(page.drawn[5].x, kPrintLeftMargin + 6 * kChar);
    EXPECT_EQ(page.drawn[5].y, y0 + 3 * kLine);

    // at the start of a line no empty line comes first; UTF-8 stays whole
    FakePage utf(kPrintLeftMargin + 4 * kChar, kHeight);
    ASSERT_TRUE(PrintText(utf, "\xC3\xA1\xC3\xA1\xC3\xA1\xC3\xA1\xC3\xA1", "", "").ok());
    ASSERT_EQ(utf.drawn.size(), 2u);
    EXPECT_EQ(utf.drawn[0].text, "\xC3\xA1\xC3\xA1\xC3\xA1\xC3\xA1");
    EXPECT_EQ(utf.drawn[0].y, kTextYNoSubtitle);
    EXPECT_EQ(utf.drawn[1].text, "\xC3\xA1");
}

TEST(TextPrint, PrinterFailureStopsTheJob) {
    FakePage page(kWidth, kHeight);
    page.failAfterPages = 1;  // the first new page fails
    Status s = PrintText(page, "a .../... b .../... c", "T", "");
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(page.find("b"), nullptr);
    EXPECT_EQ(page.ended, 0);
}

}  // namespace
}  // namespace zerlant
