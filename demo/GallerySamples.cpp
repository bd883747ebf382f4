#include "GallerySamples.h"
#include "dialogs/CMessageDialogBase.h"

namespace {
constexpr SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, 0, 0};
}

const SampleEntry kEntries[] = {
    {0, true, L"Lighthouse Guide", 0, At(2026, 11, 30, 18, 12)},
    {1, true, L"Chapters", 0, At(2026, 11, 28, 9, 40)},
    {2, false, L"01 The Coast.docx", 48'310, At(2026, 10, 2, 11, 5)},
    {2, false, L"02 Tides and Weather.docx", 61'004, At(2026, 10, 19, 16, 48)},
    {2, false, L"03 The Keeper's Year.docx", 73'562, At(2026, 11, 12, 8, 30)},
    {2, false, L"04 Lanterns and Lenses.docx", 55'120, At(2026, 11, 28, 9, 40)},
    {1, true, L"Photos", 0, At(2026, 11, 21, 20, 2)},
    {2, false, L"Harbour at dawn.jpg", 3'290'112, At(2026, 9, 14, 6, 51)},
    {2, false, L"Lantern room.jpg", 2'874'003, At(2026, 9, 14, 13, 20)},
    {2, false, L"Spiral stairs.png", 1'048'576, At(2026, 9, 15, 10, 2)},
    {2, false, L"Storm over the cliffs.jpg", 4'012'733, At(2026, 11, 21, 20, 2)},
    {2, true, L"Archive", 0, At(2026, 8, 3, 15, 27)},
    {3, false, L"Postcard 1954.jpg", 402'551, At(2026, 8, 3, 15, 25)},
    {3, false, L"The old Fresnel lens.png", 1'730'245, At(2026, 8, 3, 15, 27)},
    {1, true, L"Sounds", 0, At(2026, 10, 7, 22, 14)},
    {2, false, L"Foghorn.mp3", 812'344, At(2026, 10, 7, 22, 10)},
    {2, false, L"Waves at night.mp3", 5'623'780, At(2026, 10, 7, 22, 14)},
    {1, true, L"Empty drafts", 0, At(2026, 7, 1, 12, 0)},
    {1, false, L"Interview with the keeper of the northern light, transcribed.docx", 128'415,
     At(2026, 11, 3, 17, 55)},
    {1, false, L"Budget 2026.xlsx", 24'877, At(2026, 11, 30, 18, 12)},
    {1, false, L"Cover.png", 2'241'019, At(2026, 11, 25, 10, 33)},
    {1, false, L"Opening theme.mp3", 3'915'206, At(2026, 10, 30, 19, 4)},
    {1, false, L"Backup 2026-11-30.zip", 21'402'996, At(2026, 11, 30, 18, 40)},
    {1, false, L"Printer's notes.txt", 3'214, At(2026, 11, 29, 14, 5)},
    {1, false, L"Readme.txt", 812, At(2026, 6, 20, 9, 15)},
};

struct TypeInfo
{
    LPCWSTR extension;
    LPCWSTR name;
    SampleImage image;
};

const TypeInfo kTypes[] = {
    {L".txt", L"Text Document", kImageText},   {L".docx", L"Word Document", kImageDocument},
    {L".xlsx", L"Spreadsheet", kImageSheet},   {L".jpg", L"JPEG Image", kImagePicture},
    {L".png", L"PNG Image", kImagePicture},    {L".mp3", L"MP3 Audio", kImageAudio},
    {L".zip", L"ZIP Archive", kImageArchive},
};

const TypeInfo* FindType(const SampleEntry& entry)
{
    const CString name = entry.name;
    const int dot = name.ReverseFind(L'.');
    if (entry.folder || dot < 0)
        return nullptr;
    const CString extension = name.Mid(dot);
    for (const TypeInfo& type : kTypes) {
        if (extension.CompareNoCase(type.extension) == 0)
            return &type;
    }
    return nullptr;
}

const SampleMessage kMessages[] = {
    {L"Information", CMessageDialogBase::IconInformation, CMessageDialogBase::ButtonsOk,
     {L"Lighthouse Guide", L"Leuchtturmf\u00FChrer"},
     {L"All four chapters were sent to the printer.", L"Alle vier Kapitel wurden an die Druckerei geschickt."}},
    {L"Question", CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNo,
     {L"Delete", L"L\u00F6schen"},
     {L"Move \"Storm over the cliffs.jpg\" to the archive?",
      L"\u201EStorm over the cliffs.jpg\u201C ins Archiv verschieben?"}},
    {L"Warning", CMessageDialogBase::IconWarning, CMessageDialogBase::ButtonsYesNoCancel,
     {L"Save changes", L"\u00C4nderungen speichern"},
     {L"Chapter 3 has changed.\nSave the changes before closing?",
      L"Kapitel 3 wurde ge\u00E4ndert.\n\u00C4nderungen vor dem Schlie\u00DFen speichern?"}},
    {L"Error", CMessageDialogBase::IconError, CMessageDialogBase::ButtonsOkCancel,
     {L"Printer", L"Drucker"},
     {L"The printer did not answer. Try again?", L"Der Drucker antwortet nicht. Erneut versuchen?"}},
};
} // namespace

const SampleEntry* SampleEntries()
{
    return kEntries;
}

int SampleEntryCount()
{
    return static_cast<int>(sizeof(kEntries) / sizeof(kEntries[0]));
}

int SampleParent(int index)
{
    if (index <= 0 || index >= SampleEntryCount())
        return -1;
    for (int i = index - 1; i >= 0; --i) {
        if (kEntries[i].depth < kEntries[index].depth)
            return i;
    }
    return -1;
}

void SampleChildren(int index, int* out, int capacity, int& count)
{
    count = 0;
    if (index < 0 || index >= SampleEntryCount() || !kEntries[index].folder)
        return;
    const int depth = kEntries[index].depth;
    for (int i = index + 1; i < SampleEntryCount() && kEntries[i].depth > depth; ++i) {
        if (kEntries[i].depth == depth + 1 && count < capacity)
            out[count++] = i;
    }
}

ULONGLONG SampleBytes(int index)
{
    if (index < 0 || index >= SampleEntryCount())
        return 0;
    if (!kEntries[index].folder)
        return kEntries[index].bytes;
    ULONGLONG total = 0;
    for (int i = index + 1; i < SampleEntryCount() && kEntries[i].depth > kEntries[index].depth; ++i)
        total += kEntries[i].bytes;
    return total;
}

CString SampleTypeName(const SampleEntry& entry)
{
    if (entry.folder)
        return L"Folder";
    const TypeInfo* type = FindType(entry);
    return type != nullptr ? type->name : L"File";
}

SampleImage SampleImageOf(const SampleEntry& entry)
{
    if (entry.folder)
        return kImageFolder;
    const TypeInfo* type = FindType(entry);
    return type != nullptr ? type->image : kImageText;
}

CString SampleSizeText(ULONGLONG bytes)
{
    // Rounded up without adding first: the largest sizes must not wrap to 0.
    const ULONGLONG kb = bytes / 1024 + (bytes % 1024 != 0);
    // Groups of three digits from the right, separated by commas.
    CString digits;
    digits.Format(L"%llu", kb);
    CString grouped;
    const int n = digits.GetLength();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += L',';
        grouped += digits[i];
    }
    return grouped + L" KB";
}

CString SampleDateText(const SYSTEMTIME& time)
{
    CString text;
    text.Format(L"%04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
    return text;
}

int CompareSampleDates(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    const WORD x[] = {a.wYear, a.wMonth, a.wDay, a.wHour, a.wMinute};
    const WORD y[] = {b.wYear, b.wMonth, b.wDay, b.wHour, b.wMinute};
    for (int i = 0; i < 5; ++i) {
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    }
    return 0;
}

const SampleMessage* SampleMessages()
{
    return kMessages;
}

int SampleMessageCount()
{
    return static_cast<int>(sizeof(kMessages) / sizeof(kMessages[0]));
}

LPCWSTR SampleAnswerText(int result)
{
    switch (result) {
    case CMessageDialogBase::ResultOk: return L"OK";
    case CMessageDialogBase::ResultCancel: return L"Cancel";
    case CMessageDialogBase::ResultYes: return L"Yes";
    case CMessageDialogBase::ResultNo: return L"No";
    default: return L"";
    }
}
