#include "core/print/textprint.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testsupport.hpp"

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

TEST(TextPrint, LayoutCases) {
    for (const auto& c : testing::caseRows("core/print/layout_cases.tsv")) {
        ASSERT_EQ(c.size(), 3u);
        SCOPED_TRACE(c[1]);
        FakePage page(kPrintLeftMargin + std::stoi(c[0]) * kChar, kHeight);
        ASSERT_TRUE(PrintText(page, c[1], "T", "").ok());
        ASSERT_FALSE(page.drawn.empty());
        EXPECT_EQ(page.drawn[0].text, "T");
        std::string placed;
        for (std::size_t i = 1; i < page.drawn.size(); ++i) {
            const FakePage::Drawn& d = page.drawn[i];
            EXPECT_EQ(d.page, 1);
            EXPECT_LE(d.x + page.textWidth(d.text), page.printableWidth()) << d.text;
            EXPECT_EQ((d.x - kPrintLeftMargin) % kChar, 0) << d.text;
            EXPECT_EQ((d.y - kTextYNoSubtitle) % kLine, 0) << d.text;
            placed += (i > 1 ? " " : "") + d.text + "@" +
                      std::to_string((d.x - kPrintLeftMargin) / kChar) + "," +
                      std::to_string((d.y - kTextYNoSubtitle) / kLine);
        }
        EXPECT_EQ(placed, c[2]);
    }
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
