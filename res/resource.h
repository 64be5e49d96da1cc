/* Resource ids shared by quickdex.rc and the C++ code. Plain #defines only,
   so windres can read this file as well as the compiler. */
#ifndef QUICKDEX_RESOURCE_H
#define QUICKDEX_RESOURCE_H

/* Application icon. Id 1 is the lowest icon id, which is the one Explorer
   shows for the exe. */
#define IDI_APP            1

/* Notification-area icons, 16 x 16. */
#define IDI_TRAY_RUNNING   101  /* hotkeys registered: coloured badge */
#define IDI_TRAY_STOPPED   102  /* hotkeys stopped: the same badge in grey */
#define IDI_TRAY_GREEN     103  /* green badge */
#define IDI_TRAY_PLUS      104  /* plus sign */
#define IDI_TRAY_MINUS     105  /* minus sign */

/* Hotkey editor window icon, 16 and 32 x 32: the badge with a pencil. */
#define IDI_EDITOR         2

/* Hotkey editor picture buttons, 16 x 16. */
#define IDI_BTN_FILE       111  /* choose a program or document: a page */
#define IDI_BTN_FOLDER     112  /* choose a folder: a yellow folder */
#define IDI_BTN_ACTION     113  /* choose a built-in action: a bolt */

/* Action chooser image list: one 272 x 16 32-bit bitmap with alpha, 17
   pictures of 16 x 16 in the order of the built-in action numbers (0 and 16
   are unused and hold a plain dot). Load with LR_CREATEDIBSECTION and add to
   an ILC_COLOR32 image list. */
#define IDB_CHOOSER        120

/* About window banner: a 300 x 60 baseline JPEG, as raw data. */
#define IDR_BANNER         130

#endif /* QUICKDEX_RESOURCE_H */
