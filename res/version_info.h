#pragma once
// The program's version data: what the About box and `tallyforge --version` show.
#include "resource.h"

namespace tallyforge::res {

inline constexpr const char* kFileVersion = TALLYFORGE_FILE_VERSION;
inline constexpr const char* kProductVersion = TALLYFORGE_PRODUCT_VERSION;
inline constexpr const char* kFileDescription = TALLYFORGE_FILE_DESCRIPTION;
inline constexpr const char* kInternalName = TALLYFORGE_INTERNAL_NAME;
inline constexpr const char* kOriginalFilename = TALLYFORGE_ORIGINAL_FILENAME;
inline constexpr const char* kProductName = TALLYFORGE_PRODUCT_NAME;
inline constexpr const char* kLegalCopyright = TALLYFORGE_LEGAL_COPYRIGHT;
// The entry of the main window's menu that opens the About box.
inline constexpr const char* kAboutMenuText = TALLYFORGE_ABOUT_MENU_TEXT;

}  // namespace tallyforge::res
