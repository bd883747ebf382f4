#include "TourReport.h"
#include <cstdio>

namespace {
std::string Utf8(const CString& text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text, text.GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

// Text for an XML attribute value.
std::string Escaped(const CString& text)
{
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#10;"; break;
        default: out += c; break;
        }
    }
    return out;
}
} // namespace

CString TourPictureName(int number, LPCWSTR what)
{
    CString name;
    name.Format(L"gallery-%02d-", number < 0 ? 0 : number);
    CString tail = what != nullptr ? what : L"";
    if (tail.IsEmpty())
        tail = L"stop";
    for (int i = 0; i < tail.GetLength(); ++i) {
        WCHAR c = tail[i];
        if (c >= L'A' && c <= L'Z')
            c = static_cast<WCHAR>(c - L'A' + L'a');
        const bool kept = (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
        name += kept ? c : L'-';
    }
    return name + L".png";
}

std::string TourReportXml(const std::vector<TourStop>& stops)
{
    int failures = 0;
    for (const TourStop& stop : stops)
        failures += !stop.ok;
    const std::string counts = "tests=\"" + std::to_string(stops.size()) + "\" failures=\"" +
                               std::to_string(failures) + "\" disabled=\"0\" errors=\"0\"";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites " + counts + " name=\"AllTests\">\n";
    xml += "  <testsuite name=\"GalleryTour\" " + counts + ">\n";
    for (const TourStop& stop : stops) {
        const CString name = stop.picture.Left(stop.picture.ReverseFind(L'.') < 0 ? stop.picture.GetLength()
                                                                                     : stop.picture.ReverseFind(L'.'));
        xml += "    <testcase name=\"" + Escaped(name) + "\" status=\"run\" classname=\"GalleryTour\"";
        if (stop.ok)
            xml += " />\n";
        else
            xml += ">\n      <failure message=\"" + Escaped(stop.note) + "\" />\n    </testcase>\n";
    }
    xml += "  </testsuite>\n</testsuites>\n";
    return xml;
}

bool WriteTourReport(const std::vector<TourStop>& stops, LPCWSTR path)
{
    FILE* file = path != nullptr ? _wfopen(path, L"wb") : nullptr;
    if (file == nullptr)
        return false;
    const std::string xml = TourReportXml(stops);
    const bool written = std::fwrite(xml.data(), 1, xml.size(), file) == xml.size();
    return std::fclose(file) == 0 && written;
}
