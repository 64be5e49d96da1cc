#pragma once
// Command ids of the main window's menus and buttons. Other programs (the
// end-to-end tests among them) can send these as WM_COMMAND.

namespace quickdex::ids {

// Main menu
inline constexpr int MStop_N = 101;   // File > Stop / Start
inline constexpr int N4 = 102;        // File > Exit
inline constexpr int AutoRun_N = 111; // Set > AutoRun
inline constexpr int Sort_N = 112;    // Set > Edit Sort
inline constexpr int N7 = 121;        // Help > Go to quickdex Home Page ->
inline constexpr int N6 = 122;        // Help > E-Mail
inline constexpr int N3 = 123;        // Help > Help
inline constexpr int N5 = 124;        // Help > About
// Tray menu
inline constexpr int Stop_N = 131;
inline constexpr int Show_N = 132;
inline constexpr int N1 = 133; // About
inline constexpr int N2 = 134; // Exit
// List context menu
inline constexpr int Add_N = 141;
inline constexpr int Change_N = 142;
inline constexpr int Delete_N = 143;
// Controls
inline constexpr int M_GroupBox = 200;
inline constexpr int AddBitBtn = 201;
inline constexpr int ChangeBitBtn = 202;
inline constexpr int DelBitBtn = 203;
inline constexpr int Mini_BitBtn = 204;
inline constexpr int C_BitBtn = 205;
inline constexpr int B_Panel = 206;
inline constexpr int M_ListView = 207;

} // namespace quickdex::ids
