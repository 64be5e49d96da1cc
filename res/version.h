/* The one place that says which version this is: read by the resource
   script, the code (captions, the About window) and CMake. Plain #defines,
   so windres can read it too. */
#ifndef QUICKDEX_VERSION_H
#define QUICKDEX_VERSION_H

#define QUICKDEX_VERSION_MAJOR 3
#define QUICKDEX_VERSION_MINOR 5
/* "3.5": the main window's caption and the About window; "3.50": the
   application title. */
#define QUICKDEX_VERSION_TEXT "3.5"
#define QUICKDEX_VERSION_TITLE "3.50"

#endif /* QUICKDEX_VERSION_H */
