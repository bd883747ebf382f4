// The tour's picture names and its report, which the test command counts like
// a GoogleTest program's: a failed stop must show as a failure there.
#include <gtest/gtest.h>
#include <cstdio>
#include "TourReport.h"
#include "support/TempFolder.h"

namespace {
TEST(TourReport, PictureNamesAreNumberedAndKeepToLowerCaseLettersDigitsAndDashes)
{
    EXPECT_EQ(CString(L"gallery-01-files.png"), TourPictureName(1, L"files"));
    EXPECT_EQ(CString(L"gallery-12-files-tip.png"), TourPictureName(12, L"Files Tip"));
    EXPECT_EQ(CString(L"gallery-123-a-b-c.png"), TourPictureName(123, L"a/b\\c"));
    EXPECT_EQ(CString(L"gallery-02-m-nchen.png"), TourPictureName(2, L"M\u00FCnchen"));
    EXPECT_EQ(CString(L"gallery-00-stop.png"), TourPictureName(-4, nullptr));
    EXPECT_EQ(CString(L"gallery-03-stop.png"), TourPictureName(3, L""));
}

// The attribute of the first tag named tag, as the test command reads it.
std::string Attribute(const std::string& xml, const std::string& tag, const std::string& name)
{
    const size_t start = xml.find("<" + tag + " ");
    const size_t end = xml.find('>', start);
    const size_t at = xml.find(" " + name + "=\"", start);
    if (start == std::string::npos || at == std::string::npos || at > end)
        return "(none)";
    const size_t value = at + name.size() + 3;
    return xml.substr(value, xml.find('"', value) - value);
}

TEST(TourReport, CountsEveryStopAndGivesEachFailedOneAFailureWithItsNoteEscaped)
{
    const std::vector<TourStop> stops = {
        {L"gallery-01-files.png", true, L"fine"},
        {L"gallery-02-files-tip.png", false, L"no tip <over> \"Cover & co\"\nsecond line"},
        {L"gallery-03-m\u00FC.png", true, L""},
    };
    const std::string xml = TourReportXml(stops);
    EXPECT_EQ("3", Attribute(xml, "testsuites", "tests"));
    EXPECT_EQ("1", Attribute(xml, "testsuites", "failures"));
    EXPECT_EQ("0", Attribute(xml, "testsuites", "disabled"));
    EXPECT_NE(std::string::npos, xml.find("<testcase name=\"gallery-01-files\" status=\"run\""));
    EXPECT_NE(std::string::npos, xml.find("<testcase name=\"gallery-03-m\xC3\xBC\"")) << "UTF-8";
    EXPECT_NE(std::string::npos,
              xml.find("<failure message=\"no tip &lt;over&gt; &quot;Cover &amp; co&quot;&#10;second line\""));
    EXPECT_EQ(0u, xml.find("<?xml"));
    EXPECT_EQ(std::string::npos, xml.find("<skipped"));
}

TEST(TourReport, AnEmptyTourReportsNoTestsAndAFileThatCannotBeWrittenIsFalse)
{
    const std::string xml = TourReportXml({});
    EXPECT_EQ("0", Attribute(xml, "testsuites", "tests"));
    EXPECT_EQ("0", Attribute(xml, "testsuites", "failures"));

    TempFolder folder;
    const std::vector<TourStop> stops = {{L"gallery-01-files.png", false, L"x"}};
    ASSERT_TRUE(WriteTourReport(stops, folder / L"tour.xml"));
    std::string read(4096, '\0');
    FILE* file = _wfopen((folder / L"tour.xml").GetString(), L"rb");
    ASSERT_NE(nullptr, file);
    read.resize(std::fread(&read[0], 1, read.size(), file));
    std::fclose(file);
    EXPECT_EQ(TourReportXml(stops), read);
    EXPECT_FALSE(WriteTourReport(stops, folder / L"missing\\tour.xml"));
    EXPECT_FALSE(WriteTourReport(stops, nullptr));
}
} // namespace
