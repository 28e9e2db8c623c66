// Click versus drag: a press followed by at most one move and a release is a click; the
// third move of a held button drags the window.
#pragma once

enum PointerMoveAction {
    MOVE_COUNTING,   // still deciding between click and drag
    MOVE_START_DRAG, // hand the pointer to the system's window move loop
    MOVE_HOVER       // a plain move: select or bring to front
};

void PointerPressed();
// `buttonHeld`: the left button is down during this move.
PointerMoveAction PointerMoved(int buttonHeld);
void DragFinished();
int PointerReleaseIsClick();
void PointerCaptureLost();
