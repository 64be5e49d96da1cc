/* Resource ids shared by quickdex.rc and the C++ code. Plain #defines only,
   so windres can read this file as well as the compiler. */
#ifndef QUICKDEX_RESOURCE_H
#define QUICKDEX_RESOURCE_H

/* Application icon. Id 1 is the lowest icon id, which is the one Explorer
   shows for the exe. */
#define IDI_APP            1

/* Notification-area pictures, five icons of 16, 20, 24 and 32 x 32 with
   alpha, in the order of the tray's picture index: hotkeys registered
   (coloured badge), stopped (the same badge in grey), green badge, plus
   sign, minus sign. */
#define IDI_TRAY_RUNNING   3
#define IDI_TRAY_STOPPED   4
#define IDI_TRAY_GREEN     5
#define IDI_TRAY_PLUS      6
#define IDI_TRAY_MINUS     7

/* Hotkey editor window icon, 16, 20, 24, 32 and 48 x 48: the badge with a
   pencil. The application icon has the same sizes. */
#define IDI_EDITOR         2

/* The pictures of the windows are drawn at the small-icon sizes of 96, 120,
   144 and 192 dpi, 16, 20, 24 and 32 pixels, one strip of 32-bit bitmap with
   alpha a size; the code takes the size nearest its window's DPI. */

/* Hotkey editor picture buttons: one strip of three, a page (choose a
   program or document), a yellow folder (choose a folder), a bolt (choose a
   built-in action). */
#define IDB_BUTTONS        122
#define IDB_BUTTONS20      125
#define IDB_BUTTONS24      126
#define IDB_BUTTONS32      127

/* The state marks of the main list's rows, in this order: green (live),
   amber (refused), grey (stopped), a light disc with a red rim and cross
   (the target cannot be found). */
#define IDB_MARKS16        123
#define IDB_MARKS20        128
#define IDB_MARKS24        129
#define IDB_MARKS32        124

/* Action chooser image list: 17 pictures in the order of the built-in action
   numbers (0 and 16 are unused and hold a plain dot). Load with
   LR_CREATEDIBSECTION and add to an ILC_COLOR32 image list. */
#define IDB_CHOOSER        120
#define IDB_CHOOSER20      131
#define IDB_CHOOSER24      132
#define IDB_CHOOSER32      133

/* About window banner: a 300 x 60 baseline JPEG, as raw data. */
#define IDR_BANNER         130

#endif /* QUICKDEX_RESOURCE_H */
