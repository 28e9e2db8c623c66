#include "app/pointer_gesture.h"

#include "base/shell_state.h"

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
