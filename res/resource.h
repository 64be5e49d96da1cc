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

#endif /* QUICKDEX_RESOURCE_H */
