// Resource numbers of the demo host application (the gallery).
#pragma once
// The main window and what is around its pages.
#define IDD_GALLERY 1000
#define IDC_GALLERY_TABS 1001
#define IDC_GALLERY_STATUS 1002
#define IDC_GALLERY_FRAME 1003
// Files page
#define IDC_FILES_CAPTION 1010
#define IDC_FILES_LIST 1011
#define IDC_FILES_HINT 1012
// Folders page
#define IDC_FOLDERS_CAPTION 1020
#define IDC_FOLDERS_TREE 1021
#define IDC_FOLDERS_HINT 1022
// Dialogs page
#define IDC_DLG_MESSAGE_GROUP 1030
#define IDC_DLG_MESSAGE_TEXT 1031
#define IDC_DLG_LANGUAGE_LABEL 1032
#define IDC_DLG_LANGUAGE 1033
#define IDC_DLG_MESSAGE_FIRST 1034 // one button per kind of message, four in a row
#define IDC_DLG_ANSWER 1038
#define IDC_DLG_LAYOUT_GROUP 1040
#define IDC_DLG_LAYOUT_TEXT 1041
#define IDC_DLG_ABOUT 1042
#define IDC_DLG_NOTES 1043
#define IDC_DLG_REGISTRY 1044
#define IDC_DLG_DOCVIEW 1045 // opens the document-view window with print preview
// Links page
#define IDC_LINK_FOLDER 1050
#define IDC_LINK_FOLDER_TEXT 1051
#define IDC_LINK_WEB 1052
#define IDC_LINK_WEB_TEXT 1053
#define IDC_LINK_DATA 1054
#define IDC_LINK_DATA_TEXT 1055
#define IDC_LINK_IMAGES_LABEL 1056
#define IDC_LINK_IMAGES 1057
#define IDC_LINK_IMAGES_TEXT 1058
// Edits page
#define IDC_EDIT_NOTE_LABEL 1060
#define IDC_EDIT_NOTE 1061
#define IDC_EDIT_HOTKEY_LABEL 1062
#define IDC_EDIT_HOTKEY 1063
#define IDC_EDIT_PATH_LABEL 1064
#define IDC_EDIT_PATH 1065
#define IDC_EDIT_LONG_LABEL 1066
#define IDC_EDIT_LONG 1067
#define IDC_EDIT_SERVER_LABEL 1068
#define IDC_EDIT_SERVER 1069
#define IDC_EDIT_ADD 1070
// The dialogs the Dialogs page opens.
#define IDD_GALLERY_ABOUT 1100
#define IDC_ABOUT_VERSION 1101
#define IDD_GALLERY_NOTES 1110
#define IDC_NOTES_TEXT 1111
