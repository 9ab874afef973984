#pragma once
// The program's version data: what the About box and `tallyforge --version` show.
namespace tallyforge::res {

inline constexpr const char* kFileVersion = "1, 0, 0, 1";
inline constexpr const char* kProductVersion = "1, 0, 0, 1";
inline constexpr const char* kFileDescription = "Tallyforga Applicazione MFC";
inline constexpr const char* kInternalName = "Tallyforga";
inline constexpr const char* kOriginalFilename = "Tallyforga.EXE";
inline constexpr const char* kProductName = "Tallyforga Applicazione";
inline constexpr const char* kLegalCopyright = "Copyright (C) 2026 Tallyforge";
// The entry of the main window's menu that opens the About box.
inline constexpr const char* kAboutMenuText = "Infor&mazioni su Tallyforga...";

}  // namespace tallyforge::res
