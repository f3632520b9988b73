#include <gtest/gtest.h>

#include "report/report_layout.h"

TEST(ReportLayout, A4WithTenMillimetreMarginsHolds47OneLineRows) {
    ReportGeometry g;
    EXPECT_DOUBLE_EQ(g.BandWidth(), 190.0);
    EXPECT_DOUBLE_EQ(g.DetailTop(), 39.4);
    EXPECT_DOUBLE_EQ(g.FooterTop(), 276.4);
    EXPECT_EQ(RowsPerPage(g), 47);  // 237 mm between header and footer
    EXPECT_DOUBLE_EQ(RowHeight(g, 1), 5.0);
    EXPECT_DOUBLE_EQ(RowHeight(g, 0), 5.0);
    EXPECT_DOUBLE_EQ(RowHeight(g, 3), 14.0);
}

TEST(ReportLayout, EveryPageHasHeaderAndFooterAndRowsBreakOntoNewPages) {
    ReportGeometry g;
    const auto pages = LayOutPages(g, std::vector<int>(100, 1));
    ASSERT_EQ(pages.size(), 3u);
    size_t next = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].number, static_cast<int>(p) + 1);
        EXPECT_DOUBLE_EQ(pages[p].headerTop, 10.0);
        EXPECT_DOUBLE_EQ(pages[p].footerTop, 276.4);
        ASSERT_FALSE(pages[p].rows.empty());
        EXPECT_DOUBLE_EQ(pages[p].rows.front().top, 39.4);
        for (const auto& row : pages[p].rows) {
            EXPECT_EQ(row.index, next++);  // every row once, in order
            EXPECT_LE(row.top + row.height, pages[p].footerTop + 1e-9);
        }
    }
    EXPECT_EQ(next, 100u);
    EXPECT_EQ(pages[0].rows.size(), 47u);
    EXPECT_EQ(pages[1].rows.size(), 47u);
    EXPECT_EQ(pages[2].rows.size(), 6u);
}

TEST(ReportLayout, AnEmptyListGivesOnePageWithHeaderAndFooter) {
    const auto pages = LayOutPages(ReportGeometry{}, {});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].rows.empty());
    EXPECT_DOUBLE_EQ(pages[0].footerTop, 276.4);
}

TEST(ReportLayout, GrowingRowsPushTheFollowingOnesDownAndOverThePageEnd) {
    ReportGeometry g;
    // 46 one-line rows fill 230 mm; a two-line row (9.5 mm) no longer fits in the 7 mm left.
    std::vector<int> counts(46, 1);
    counts.push_back(2);
    counts.push_back(1);
    const auto pages = LayOutPages(g, counts);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rows.size(), 46u);
    EXPECT_EQ(pages[1].rows[0].index, 46u);
    EXPECT_DOUBLE_EQ(pages[1].rows[0].height, 9.5);
    EXPECT_DOUBLE_EQ(pages[1].rows[1].top, 39.4 + 9.5);

    // A row higher than the whole detail space stands alone on its page.
    const auto huge = LayOutPages(g, {1, 100, 1});
    ASSERT_EQ(huge.size(), 3u);
    EXPECT_EQ(huge[1].rows.size(), 1u);
    EXPECT_EQ(huge[1].rows[0].index, 1u);
    EXPECT_EQ(huge[2].rows[0].index, 2u);
}

TEST(ReportLayout, LandscapePaperTurnsThePageAndKeepsTheMargins) {
    ReportGeometry g;
    EXPECT_EQ(g.paper, PaperSize::A4);
    EXPECT_EQ(g.orientation, PaperOrientation::Portrait);
    g.SetPaper(PaperSize::A4, PaperOrientation::Landscape);
    EXPECT_DOUBLE_EQ(g.pageWidth, 297.0);
    EXPECT_DOUBLE_EQ(g.pageHeight, 210.0);
    EXPECT_DOUBLE_EQ(g.BandWidth(), 277.0);
    EXPECT_DOUBLE_EQ(g.FooterTop(), 210.0 - 10.0 - 10.6);
    const auto pages = LayOutPages(g, std::vector<int>(60, 1));
    ASSERT_EQ(pages.size(), 2u);  // 150.6 mm of rows hold 30
    EXPECT_EQ(pages[0].rows.size(), 30u);
    g.SetPaper(PaperSize::A4, PaperOrientation::Portrait);
    EXPECT_DOUBLE_EQ(g.pageWidth, 210.0);
    EXPECT_DOUBLE_EQ(g.pageHeight, 297.0);
}

TEST(ReportLayout, RowsThatFillThePageExactlyAllFitWhateverTheRounding) {
    // Row heights that divide the detail space evenly: the millimetre sums of the
    // last row land on the footer give or take rounding noise, and it still fits.
    for (int perPage = 1; perPage <= 120; ++perPage) {
        ReportGeometry g;
        g.rowHeight = g.DetailSpace() / perPage;
        EXPECT_EQ(RowsPerPage(g), perPage);
        const auto pages = LayOutPages(g, std::vector<int>(static_cast<size_t>(2 * perPage + 1), 1));
        ASSERT_EQ(pages.size(), 3u) << perPage;
        EXPECT_EQ(pages[0].rows.size(), static_cast<size_t>(perPage)) << perPage;
        EXPECT_EQ(pages[1].rows.size(), static_cast<size_t>(perPage)) << perPage;
        EXPECT_EQ(pages[2].rows.size(), 1u) << perPage;
    }
}

TEST(ReportLayout, ARowTallerThanAPageNeverLeavesAnEmptyPage) {
    const ReportGeometry g;
    struct Case {
        std::vector<int> lineCounts;
        std::vector<size_t> rowsPerPage;
    };
    const Case cases[] = {
        {{100}, {1}},              // the very first row: no empty page before it
        {{100, 1}, {1, 1}},
        {{1, 100}, {1, 1}},
        {{100, 100}, {1, 1}},
        {{1, 100, 1}, {1, 1, 1}},
        {{53}, {1}},               // 239 mm: just taller than the 237 mm between header and footer
    };
    for (const Case& c : cases) {
        const auto pages = LayOutPages(g, c.lineCounts);
        std::vector<size_t> counts;
        for (const auto& page : pages) counts.push_back(page.rows.size());
        EXPECT_EQ(counts, c.rowsPerPage) << testing::PrintToString(c.lineCounts);
        ASSERT_FALSE(pages[0].rows.empty());
        EXPECT_DOUBLE_EQ(pages[0].rows[0].top, g.DetailTop());
    }
}
