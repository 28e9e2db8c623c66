// The selection in the open list moved by keys: the arrows, Home, End, the page keys, and a
// typed character that goes to the next task whose name starts with it.
#pragma once

enum SelectionMove {
    SELECT_UP, SELECT_DOWN, SELECT_PAGE_UP, SELECT_PAGE_DOWN, SELECT_FIRST, SELECT_LAST
};
enum { PAGE_ROWS = 10 }; // the whole list is on the screen: a page of it is ten rows

// The row `move` leads to from `row`, within rows 0..lastRow; a row past lastRow moves as
// from lastRow.
int RowAfterMove(SelectionMove move, int row, int lastRow);

// The row a typed byte leads to from `row`: the next one, round through 0..lastRow, whose
// name starts with the character typed, without regard to case in the system's code page;
// `row` when there is none. A two-byte character comes as two bytes: the first moves nothing.
int RowAfterTypedByte(unsigned char byte, int row, int lastRow);
