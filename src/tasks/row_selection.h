// The selection in the open list moved by keys: the arrows, Home, End, the page keys, and a
// typed character that goes to the next task whose name starts with it.
#pragma once
#include <stddef.h>

enum SelectionMove { SELECT_UP, SELECT_DOWN, SELECT_PAGE_UP, SELECT_PAGE_DOWN, SELECT_FIRST, SELECT_LAST };
enum { PAGE_ROWS = 10 }; // the whole list is on the screen: a page of it is ten rows

// The row `move` leads to from `row`, within rows 0..lastRow; a row past lastRow moves as
// from lastRow.
int RowAfterMove(SelectionMove move, int row, int lastRow);

// Collects the bytes of typed characters one by one: the length of a whole character, then
// in `character`, or 0 while a lead byte waits for its second byte and for keys that type
// nothing (control characters, the space).
size_t TakeTypedByte(unsigned char byte, char character[2]);
// The next row after `row`, wrapping through 0..lastRow, whose name starts with `character`
// (`length` bytes) without regard to case in the system's code page; `row` when there is none.
int RowStartingWith(const char* character, size_t length, int row, int lastRow);
