// The gallery's scripted tour, for a run without a person: each stop puts the
// gallery into a state worth seeing (a selection, a sorted column, a tip, an
// edit in place, an open folder, a message dialog, the German resources...),
// checks that it got there and writes a picture of it, gallery-NN-<what>.png.
// A stop that cannot be set up or written counts as failed.
#pragma once
#include <vector>
#include "GalleryWindow.h"
#include "TourReport.h"

class GalleryTour
{
public:
    // window: the gallery, created and shown; folder: where the pictures go.
    GalleryTour(CGalleryWindow& window, const CString& folder);

    // Walks every stop; the window ends on its first page.
    void Run();
    const std::vector<TourStop>& GetStops() const { return m_stops; }
    int GetFailures() const;

private:
    void FilesStops();
    void FoldersStops();
    void DialogStops();
    void MessageStops();
    void LinksStop();
    void EditsStop();
    void GrownStop();
    // Records the next stop: writes the picture of hWnd (with hPopup drawn
    // where it shows) if the state was reached, and prints a line.
    void Record(LPCWSTR what, bool reached, const CString& note, HWND hWnd = nullptr, HWND hPopup = nullptr);

    CGalleryWindow& m_window;      // the gallery toured
    CString m_folder;              // of the pictures, with a trailing backslash
    std::vector<TourStop> m_stops; // the stops so far, in their order
};
