// Numbers of the resources in the language resource libraries. Shared by the
// resource scripts and the library code, so plain #defines only (windres reads
// this file too).
#pragma once

// Message dialog
#define IDD_MESSAGE_DIALOG        164
#define IDC_MESSAGE_FIRST_BUTTON  1095
#define IDC_MESSAGE_SECOND_BUTTON 1096
#define IDC_MESSAGE_THIRD_BUTTON  1097
#define IDC_MESSAGE_ICON          1098
#define IDC_MESSAGE_TEXT          1099

// Icons of the message dialog, by icon kind (0, 1, 2), and of the dialogs
#define IDI_MESSAGE_INFORMATION   147
#define IDI_MESSAGE_WARNING       143
#define IDI_MESSAGE_ERROR         145
#define IDI_DIALOG                153

// Button captions of the message dialog
#define IDS_BUTTON_SINGLE_OK      1008  // the only button
#define IDS_BUTTON_OK             1009  // OK beside Cancel
#define IDS_BUTTON_CANCEL         1010
#define IDS_BUTTON_YES            1011
#define IDS_BUTTON_NO             1012

// Key names of the hotkey field
#define IDS_KEY_NUMPAD            1155
#define IDS_KEY_SHIFT             1156
#define IDS_KEY_CONTROL           1157
#define IDS_KEY_ALT               1158
#define IDS_KEY_LEFT_SHIFT        1230
#define IDS_KEY_RIGHT_SHIFT       1231
#define IDS_KEY_LEFT_CONTROL      1232
#define IDS_KEY_RIGHT_CONTROL     1233
#define IDS_KEY_LEFT_ALT          1234
#define IDS_KEY_RIGHT_ALT         1235

// How the hotkey field is used; a text for a data link to show
#define IDS_HOTKEY_HELP           1240

// Resizable text window opened by a data link
#define IDD_SHOW_TEXT             204
#define IDC_SHOW_TEXT_FIELD       1205

// Context menu of the edit field; its first submenu is the one shown
#define IDR_EDIT_MENU             166

// Cursor over a column divider of the list
#define IDC_DIVIDER_CURSOR        20692

// Commands of the edit menu: the framework's standard edit command numbers, so
// that a dialog can route them like any other edit command.
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR             0xE120
#define ID_EDIT_COPY              0xE122
#define ID_EDIT_CUT               0xE123
#define ID_EDIT_PASTE             0xE125
#define ID_EDIT_SELECT_ALL        0xE12A
#define ID_EDIT_UNDO              0xE12B
#endif
