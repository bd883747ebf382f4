#include <gtest/gtest.h>
#include "framework/Framework.h"

TEST(CImageList, CopyThroughMemoryFileAndArchiveIsIndependent)
{
    CImageList source;
    ASSERT_TRUE(source.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2));
    HBITMAP strip = CreateBitmap(32, 16, 1, 32, nullptr); // two images side by side
    EXPECT_EQ(0, source.Add(strip, RGB(0, 0, 0)));
    DeleteObject(strip);
    ASSERT_EQ(2, source.GetImageCount());

    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        ASSERT_TRUE(source.Write(&ar));
    }
    file.SeekToBegin();
    CImageList copy;
    {
        CArchive ar(&file, CArchive::load, 4096);
        ASSERT_TRUE(copy.Read(&ar));
    }
    EXPECT_EQ(CSize(16, 16), copy.GetIconSize());
    source.DeleteImageList();
    EXPECT_EQ(2, copy.GetImageCount()); // lives on without its source
}

TEST(CMemFile, GrowsInStepsAndReadsBack)
{
    CMemFile f(100);
    const char text[] = "0123456789";
    for (int i = 0; i < 25; ++i)
        f.Write(text, 10);
    EXPECT_EQ(250u, f.GetLength());
    EXPECT_EQ(300u, f.GetBufferSize());
    f.Seek(-5, CFile::end);
    char back[10] = {};
    EXPECT_EQ(5u, f.Read(back, 10));
    EXPECT_EQ('5', back[0]);
    EXPECT_EQ(0u, f.Read(back, 10));
}

TEST(CGdiObject, WrappersCountTheHandlesTheyHold)
{
    const LONG before = CGdiObject::GetLiveCount();
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CFont font;
        EXPECT_TRUE(font.CreatePointFont(90, L"Tahoma"));
        EXPECT_EQ(before + 3, CGdiObject::GetLiveCount());
        DeleteObject(brush.Detach());
        EXPECT_EQ(before + 2, CGdiObject::GetLiveCount());
    }
    EXPECT_EQ(before, CGdiObject::GetLiveCount());
}

TEST(CDC, DrawDragRectTwiceRestoresThePixels)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bmp;
    ASSERT_TRUE(bmp.Attach(CreateBitmap(20, 20, 1, 32, nullptr)));
    HGDIOBJ old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    const CRect line(5, 0, 7, 20);
    dc.DrawDragRect(&line, CSize(1, 1), nullptr, CSize(1, 1));
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        changed += dc.GetPixel(5, y) != RGB(255, 255, 255) || dc.GetPixel(6, y) != RGB(255, 255, 255);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(8, 5));
    dc.DrawDragRect(nullptr, CSize(1, 1), &line, CSize(1, 1));
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(5, y));
    dc.SelectObject(old);
}
