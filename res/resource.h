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

/* Hotkey editor window icon, 16 and 32 x 32: the badge with a pencil. */
#define IDI_EDITOR         2

/* Hotkey editor picture buttons: one 48 x 16 strip, a page (choose a
   program or document), a yellow folder (choose a folder), a bolt (choose a
   built-in action). */
#define IDB_BUTTONS        122

/* The state marks of the main list's rows, green (live), amber (refused),
   grey (stopped): strips of 16 x 16 and of 32 x 32 pictures. */
#define IDB_MARKS16        123
#define IDB_MARKS32        124

/* Action chooser image list: one 272 x 16 32-bit bitmap with alpha, 17
   pictures of 16 x 16 in the order of the built-in action numbers (0 and 16
   are unused and hold a plain dot). Load with LR_CREATEDIBSECTION and add to
   an ILC_COLOR32 image list. */
#define IDB_CHOOSER        120

/* About window banner: a 300 x 60 baseline JPEG, as raw data. */
#define IDR_BANNER         130

#endif /* QUICKDEX_RESOURCE_H */
