// The gallery's sample data: the folder table's links, the sizes and dates as
// the pages show and sort them, and the message answers.
#include <gtest/gtest.h>
#include <algorithm>
#include "GallerySamples.h"
#include "dialogs/CMessageDialogBase.h"

namespace {
int IndexOf(LPCWSTR name)
{
    for (int i = 0; i < SampleEntryCount(); ++i) {
        if (CString(SampleEntries()[i].name) == name)
            return i;
    }
    return -1;
}

SampleEntry File(LPCWSTR name)
{
    return SampleEntry{1, false, name, 1, {}};
}

TEST(GallerySamples, EveryEntryHangsBelowAFolderOneLevelUpAndIsAmongItsChildren)
{
    ASSERT_GT(SampleEntryCount(), 1);
    EXPECT_EQ(0, SampleEntries()[0].depth);
    EXPECT_EQ(-1, SampleParent(0));
    for (int i = 1; i < SampleEntryCount(); ++i) {
        const int parent = SampleParent(i);
        ASSERT_GE(parent, 0) << i;
        EXPECT_TRUE(SampleEntries()[parent].folder) << i;
        EXPECT_EQ(SampleEntries()[parent].depth + 1, SampleEntries()[i].depth) << i;
        int children[64];
        int count = 0;
        SampleChildren(parent, children, 64, count);
        EXPECT_NE(children + count, std::find(children, children + count, i)) << i;
    }
}

TEST(GallerySamples, FolderBytesAreTheSumOfTheFilesBelowAtEveryLevel)
{
    ULONGLONG files = 0;
    for (int i = 0; i < SampleEntryCount(); ++i)
        files += SampleEntries()[i].folder ? 0 : SampleEntries()[i].bytes;
    EXPECT_EQ(files, SampleBytes(0));
    const int photos = IndexOf(L"Photos");
    const int archive = IndexOf(L"Archive");
    ASSERT_GE(photos, 0);
    ASSERT_GE(archive, 0);
    EXPECT_EQ(402'551u + 1'730'245u, SampleBytes(archive));
    EXPECT_EQ(SampleBytes(archive) + 3'290'112u + 2'874'003u + 1'048'576u + 4'012'733u, SampleBytes(photos));
    EXPECT_EQ(0u, SampleBytes(IndexOf(L"Empty drafts")));
}

TEST(GallerySamples, BadIndexesAndFilesHaveNoParentChildrenOrBytes)
{
    int children[4] = {-7, -7, -7, -7};
    int count = 99;
    for (int index : {-1, SampleEntryCount(), IndexOf(L"Readme.txt"), IndexOf(L"Empty drafts")}) {
        SampleChildren(index, children, 4, count);
        EXPECT_EQ(0, count) << index;
    }
    EXPECT_EQ(-1, SampleParent(-5));
    EXPECT_EQ(-1, SampleParent(SampleEntryCount()));
    EXPECT_EQ(0u, SampleBytes(-1));
    EXPECT_EQ(0u, SampleBytes(SampleEntryCount()));
    // A short buffer gets what fits, never more.
    SampleChildren(0, children, 2, count);
    EXPECT_EQ(2, count);
}

TEST(GallerySamples, SizesRoundPartialKilobytesUpAndGroupThousands)
{
    EXPECT_EQ(CString(L"0 KB"), SampleSizeText(0));
    EXPECT_EQ(CString(L"1 KB"), SampleSizeText(1));
    EXPECT_EQ(CString(L"1 KB"), SampleSizeText(1024));
    EXPECT_EQ(CString(L"2 KB"), SampleSizeText(1025));
    EXPECT_EQ(CString(L"999 KB"), SampleSizeText(999 * 1024));
    EXPECT_EQ(CString(L"1,000 KB"), SampleSizeText(1000 * 1024));
    EXPECT_EQ(CString(L"3,213 KB"), SampleSizeText(3'290'112));
    EXPECT_EQ(CString(L"1,048,576 KB"), SampleSizeText(1024ull * 1024 * 1024));
    EXPECT_EQ(CString(L"18,014,398,509,481,984 KB"), SampleSizeText(~0ull));
}

TEST(GallerySamples, DatesShowToTheMinuteAndCompareFieldByField)
{
    const SYSTEMTIME a{2026, 11, 0, 30, 9, 5, 0, 0};
    EXPECT_EQ(CString(L"2026-11-30 09:05"), SampleDateText(a));
    SYSTEMTIME later = a;
    later.wMinute = 6;
    SYSTEMTIME nextYear{2027, 1, 0, 1, 0, 0, 0, 0};
    EXPECT_LT(CompareSampleDates(a, later), 0);
    EXPECT_GT(CompareSampleDates(later, a), 0);
    EXPECT_LT(CompareSampleDates(later, nextYear), 0) << "the year outweighs the month";
    SYSTEMTIME secondsApart = a;
    secondsApart.wSecond = 30;
    EXPECT_EQ(0, CompareSampleDates(a, secondsApart)) << "seconds are not shown, so they do not sort";
}

TEST(GallerySamples, TypesAndImagesComeFromTheExtensionWhateverItsCase)
{
    EXPECT_EQ(CString(L"JPEG Image"), SampleTypeName(File(L"Harbour.JPG")));
    EXPECT_EQ(kImagePicture, SampleImageOf(File(L"Harbour.JPG")));
    EXPECT_EQ(CString(L"Word Document"), SampleTypeName(File(L"a.b.docx")));
    EXPECT_EQ(CString(L"File"), SampleTypeName(File(L"Makefile")));
    EXPECT_EQ(CString(L"File"), SampleTypeName(File(L"notes.txt.bak")));
    EXPECT_EQ(kImageText, SampleImageOf(File(L"Makefile")));
    SampleEntry folder = File(L"Photos.jpg");
    folder.folder = true;
    EXPECT_EQ(CString(L"Folder"), SampleTypeName(folder)) << "a folder's dot is no extension";
    EXPECT_EQ(kImageFolder, SampleImageOf(folder));
    for (int i = 0; i < SampleEntryCount(); ++i)
        EXPECT_NE(CString(L"File"), SampleTypeName(SampleEntries()[i])) << SampleEntries()[i].name;
}

TEST(GallerySamples, EveryMessageHasBothLanguagesAndEveryResultAnAnswer)
{
    ASSERT_EQ(4, SampleMessageCount());
    for (int i = 0; i < SampleMessageCount(); ++i) {
        const SampleMessage& m = SampleMessages()[i];
        for (int language = 0; language < 2; ++language) {
            EXPECT_NE(L'\0', m.caption[language][0]) << i;
            EXPECT_NE(L'\0', m.text[language][0]) << i;
        }
        EXPECT_STRNE(m.text[0], m.text[1]) << i;
    }
    EXPECT_STREQ(L"OK", SampleAnswerText(CMessageDialogBase::ResultOk));
    EXPECT_STREQ(L"Cancel", SampleAnswerText(CMessageDialogBase::ResultCancel));
    EXPECT_STREQ(L"Yes", SampleAnswerText(CMessageDialogBase::ResultYes));
    EXPECT_STREQ(L"No", SampleAnswerText(CMessageDialogBase::ResultNo));
    EXPECT_STREQ(L"", SampleAnswerText(-1));
    EXPECT_STREQ(L"", SampleAnswerText(17));
}
} // namespace
