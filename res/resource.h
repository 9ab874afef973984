#pragma once
// What the Windows resource script and the C++ code share: resource numbers and the version
// texts. Plain macros, so that windres reads this file as well as the compiler.

#define TALLYFORGE_ICON_APP 128     // the window, task bar, About box and the .exe itself
#define TALLYFORGE_BITMAP_BANNER 129
#define TALLYFORGE_ICON_START 131
#define TALLYFORGE_ICON_STOP 132
#define TALLYFORGE_ICON_END 133
#define TALLYFORGE_ICON_STRESS 136
#define TALLYFORGE_STRING_ABOUT_MENU 101
#define TALLYFORGE_ABOUT_MENU_TEXT "Infor&mazioni su Tallyforga..."

#define TALLYFORGE_VERSION_NUMBERS 1, 0, 0, 1
#define TALLYFORGE_FILE_VERSION "1, 0, 0, 1"
#define TALLYFORGE_PRODUCT_VERSION "1, 0, 0, 1"
#define TALLYFORGE_FILE_DESCRIPTION "Tallyforga Applicazione MFC"
#define TALLYFORGE_INTERNAL_NAME "Tallyforga"
#define TALLYFORGE_ORIGINAL_FILENAME "Tallyforga.EXE"
#define TALLYFORGE_PRODUCT_NAME "Tallyforga Applicazione"
#define TALLYFORGE_LEGAL_COPYRIGHT "Copyright (C) 2026 Tallyforge"
