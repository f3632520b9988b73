// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_TIVORN 1            // program icon (16x16 and 32x32)
#define IDR_ABOUT_JPEG 100      // About picture, 333x250 JPEG (RCDATA)

// Main image list: toolbar, cell menu and tray menu pictures, by index (16x16).
#define IDI_MAIN_FIRST 200      // IDI_MAIN_FIRST + n is picture n, n = 0..13
#define IDI_MAIN_COUNT 14

// Glyphs of the flat speed buttons (16x16).
#define IDI_SB_PREV 300         // previous month arrow
#define IDI_SB_NEXT 301         // next month arrow
#define IDI_SB_CLOSE 302        // close (without saving)
#define IDI_SB_SAVECLOSE 303    // save and close
#define IDI_SB_PRINT 304        // print
#define IDI_SB_FIND 305         // find first
#define IDI_SB_FINDNEXT 306     // find next
#define IDI_SB_DEFAULTS 307     // colour defaults button
#define IDI_SB_REMINDER 308     // a day's reminders (bell)

// Rich-text editors, top toolbar pictures (16x16), in this order:
// new, open, save as, print, cut, copy, paste, colours, font, word processor, reload
#define IDI_EDIT_FIRST 400
#define IDI_EDIT_COUNT 11

// Rich-text editors, format toolbar pictures (16x16), in this order:
// bold, italic, underline, align left, align centre, align right, bullets
#define IDI_FORMAT_FIRST 500
#define IDI_FORMAT_COUNT 7

#define IDI_TT_MARKER 600       // 32x32, a TT glyph of 11x13 in the top-left corner, rest transparent
