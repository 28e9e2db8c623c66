#include "app/pointer_gesture.h"

// 3 after a press; each move while it is above 1 counts it down; at 1 the next move drags;
// a release is a click while it is above 1.
static int dragCountdown = 0;

void PointerPressed()
{
    dragCountdown = 3;
}

PointerMoveAction PointerMoved(int buttonHeld)
{
    // Without the button held no drag may start: the system's move loop would otherwise
    // carry the window along until the next click.
    if (!buttonHeld)
        dragCountdown = 0;
    if (dragCountdown == 1)
        return MOVE_START_DRAG;
    if (dragCountdown == 0)
        return MOVE_HOVER;
    --dragCountdown;
    return MOVE_COUNTING;
}

void DragFinished()
{
    dragCountdown = 0;
}

int PointerReleaseIsClick()
{
    return dragCountdown > 1;
}

void PointerCaptureLost()
{
    dragCountdown = 0;
}
