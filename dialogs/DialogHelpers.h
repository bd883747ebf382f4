// The window-free arithmetic of the dialog classes: placeholder filling, the
// comma-separated lists stored in layout keys, the layout key's name, default
// column widths and keeping a window on a screen. Values in, values out, so
// that all of it is tested without a window or a registry.
#pragma once
#include <windows.h>
#include "framework/CArray.h"
#include "framework/CString.h"
#include "framework/MorvaApi.h"

// Every "%1" in text gives way to value.
MORVA_API CString FillPlaceholder(const CString& text, const CString& value);
// "%1" to "%9" give way to values[0] to values[8]; placeholders beyond the
// values, and values beyond the ninth, are left alone.
MORVA_API CString FillPlaceholders(const CString& text, const CStringArray& values);

// Reads "a,b,..." into values, one part per existing entry: an empty part, and
// entries the text has no part for, keep their values. The array never grows.
MORVA_API void ParseIntList(const CString& text, CArray<int, int>& values);
// Reads "x,y". False (and both -1) without a comma; an empty part gives -1.
MORVA_API bool ParseIntPair(const CString& text, int& first, int& second);

// "Screen<cx>x<cy>", the part of the layout key that keeps resolutions apart.
MORVA_API CString FormatScreenString(int cx, int cy);
// "Layout\<screen>\<layout name>", the layout key below the application key.
MORVA_API CString FormatLayoutSubKey(const CString& screen, const CString& layoutName);

// Widths of count columns sharing a list window listWidth pixels wide, less 30
// for the scroll bar and frame: equal shares, the first column taking the
// remainder. The array grows to count entries but never shrinks; a count
// below 1 changes nothing.
MORVA_API void ComputeDefaultColumnWidths(int listWidth, int count, CArray<int, int>& widths);

// Where a window of the given size placed at topLeft goes so that it lies
// inside the work area: moved the least distance, its top-left corner kept
// inside when it is larger. Any coordinates, up to INT_MAX, are taken.
MORVA_API POINT FitIntoWorkArea(POINT topLeft, SIZE size, const RECT& workArea);

// A string resource, read through a buffer of 1024 characters (at most 1023
// arrive); empty when the module or the string is missing.
MORVA_API CString LoadResourceString(HINSTANCE hModule, UINT nID);
