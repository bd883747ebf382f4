// Cell text written the quick way lands on exactly the pixels DrawTextW gives:
// every alignment, rectangles of odd and even sizes, texts that fit and texts
// that need their ellipsis or contain tabs and line breaks.
#include <gtest/gtest.h>
#include <cstring>
#include "listctrl/SECListTextOut.h"
#include "snapshot/Snapshot.h"

TEST(ListTextOut, CellTextLandsWhereDrawTextPutsIt)
{
    const int kWidth = 160;
    const int kHeight = 40;
    SnapshotBitmap expected(kWidth, kHeight, RGB(255, 255, 255));
    SnapshotBitmap actual(kWidth, kHeight, RGB(255, 255, 255));
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (SnapshotBitmap* b : {&expected, &actual}) {
        ::SelectObject(b->GetDC(), font);
        ::SetBkMode(b->GetDC(), TRANSPARENT);
        ::SetTextColor(b->GetDC(), RGB(0, 0, 0));
    }
    const LPCWSTR texts[] = {L"Row 12", L"File number 0000001.txt", L"a\tb", L"two\nlines", L"x", L"", L"W"};
    const RECT rects[] = {{6, 0, 150, 17}, {7, 3, 60, 21}, {0, 0, 30, 9}, {10, 5, 158, 38}, {3, 1, 12, 18}};
    const UINT aligns[] = {0, DT_RIGHT, DT_CENTER};
    const UINT base = DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS;
    int cases = 0;
    for (LPCWSTR text : texts) {
        for (const RECT& r : rects) {
            for (UINT align : aligns) {
                for (UINT extra : {0u, UINT(DT_NOCLIP)}) {
                    const UINT flags = base | align | extra;
                    expected.Fill(RGB(255, 255, 255));
                    actual.Fill(RGB(255, 255, 255));
                    RECT a = r;
                    RECT b = r;
                    const int h1 = ::DrawTextW(expected.GetDC(), text, -1, &a, flags);
                    const int h2 = SECDrawCellText(actual.GetDC(), text, &b, flags);
                    ::GdiFlush();
                    int differ = -1;
                    for (int i = 0; i < kWidth * kHeight && differ < 0; ++i) {
                        if (expected.Bits()[i] != actual.Bits()[i])
                            differ = i;
                    }
                    ASSERT_EQ(-1, differ)
                        << "first difference at " << differ % kWidth << "," << differ / kWidth << ": "
                        << std::hex << expected.Bits()[differ] << " drawn, " << actual.Bits()[differ] << " written; "
                        << std::dec
                        << "text '" << static_cast<int>(std::wcslen(text)) << " chars' flags " << flags << " rect "
                        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
                    EXPECT_EQ(h1, h2);
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(7 * 5 * 3 * 2, cases);
}
