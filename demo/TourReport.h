// The tour's bookkeeping, without windows: the names of its pictures and the
// report of its stops in the XML form the test command counts (the same as a
// GoogleTest program's), so that a stop that could not be set up or written
// fails the test run.
#pragma once
#include <string>
#include <vector>
#include "framework/CString.h"

struct TourStop
{
    CString picture; // file name, "gallery-03-files-tip.png"
    bool ok;         // the state was reached and the picture written
    CString note;    // what the stop shows, or what went wrong
};

// "gallery-NN-<what>.png"; what is kept to lower-case letters, digits and
// dashes (anything else becomes a dash), NN has two digits at least.
CString TourPictureName(int number, LPCWSTR what);
// The report as UTF-8 XML: one test case per stop, a failure for each stop not ok.
std::string TourReportXml(const std::vector<TourStop>& stops);
// Writes the report; false when the file cannot be written.
bool WriteTourReport(const std::vector<TourStop>& stops, LPCWSTR path);
