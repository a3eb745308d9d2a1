// The pictures and the help text built into the program: PNG files and
// resources/helptext.txt, turned into arrays by reswrap at build time.
#ifndef RESOURCES_H
#define RESOURCES_H

extern const unsigned char smallIconPng[];     // 16x16 window mini icon
extern const unsigned char bigIconPng[];       // 32x32 window icon
extern const unsigned char openIconPng[];      // 48x32 Open button
extern const unsigned char generateIconPng[];  // 48x32 Generate button
extern const unsigned char helpIconPng[];      // 48x32 Help button

// The command reference in message markup, NUL-terminated.
extern const char helpText[];

#endif
