// The gallery's sample data: a made-up project folder (folders and files
// with sizes and dates), so that the pictures look the same on every machine
// and show no path of the machine they were taken on. Also the texts of the
// message dialogs the gallery shows, in English and German.
#pragma once
#include <windows.h>
#include "framework/CString.h"

// Images of the gallery's image list (see GalleryIcons).
enum SampleImage
{
    kImageFolder,
    kImageText,
    kImageDocument,
    kImageSheet,
    kImagePicture,
    kImageAudio,
    kImageArchive,
    kImageCount
};

// One folder or file; the entries are in pre-order, each folder followed by
// its contents one level deeper.
struct SampleEntry
{
    int depth;          // 0 for the project folder itself
    bool folder;        // a folder (its size is the sum of its files)
    LPCWSTR name;
    ULONGLONG bytes;    // a file's size
    SYSTEMTIME modified; // local time; only year to minute are set
};

// The project folder and everything below it.
const SampleEntry* SampleEntries();
int SampleEntryCount();
// Index of the entry's parent, -1 for the project folder or a bad index.
int SampleParent(int index);
// Indexes of the entry's children, in the order of the table.
void SampleChildren(int index, int* out, int capacity, int& count);
// A folder's bytes are those of every file below it; a file's its own.
ULONGLONG SampleBytes(int index);

// "Folder", "Text Document", "JPEG Image", ... from the name's extension.
CString SampleTypeName(const SampleEntry& entry);
SampleImage SampleImageOf(const SampleEntry& entry);
// Sizes as a file window shows them: "0 KB" only for an empty file, partial
// kilobytes rounded up, thousands grouped: "1 KB", "48 KB", "3,214 KB".
CString SampleSizeText(ULONGLONG bytes);
// "2026-11-30 14:05".
CString SampleDateText(const SYSTEMTIME& time);
// Negative, zero or positive as a sorts before, with or after b.
int CompareSampleDates(const SYSTEMTIME& a, const SYSTEMTIME& b);

// One message dialog of the gallery.
struct SampleMessage
{
    LPCWSTR button;     // text of the gallery's button that shows it
    UINT iconKind;      // CMessageDialogBase::IconKind
    UINT buttonSet;     // CMessageDialogBase::ButtonSet
    LPCWSTR caption[2]; // English, German
    LPCWSTR text[2];
};
const SampleMessage* SampleMessages();
int SampleMessageCount();
// "OK", "Cancel", "Yes", "No" for a CMessageDialogBase result; "" for others.
LPCWSTR SampleAnswerText(int result);
