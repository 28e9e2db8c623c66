#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pointer_gesture.h"

namespace {

// Plays a gesture: 'd' press, 'm' move with the button held, 'h' move without it,
// 'u' release, 'l' the capture lost. Records what each step led to: C counting, D drag, H hover, K click, N none.
std::string Play(const char* steps)
{
    PointerCaptureLost(); // no press pending
    std::string out;
    for (const char* s = steps; *s; ++s) {
        if (*s == 'd') {
            PointerPressed();
        } else if (*s == 'l') {
            PointerCaptureLost();
        } else if (*s == 'u') {
            out += PointerReleaseIsClick() ? 'K' : 'N';
        } else {
            PointerMoveAction a = PointerMoved(*s == 'm');
            out += a == MOVE_START_DRAG ? 'D' : (a == MOVE_HOVER ? 'H' : 'C');
            if (a == MOVE_START_DRAG)
                DragFinished();
        }
    }
    return out;
}

TEST(PointerGesture, ClickOrDragDependsOnMovesWhileHeld)
{
    struct Case { const char* steps; const char* outcome; } cases[] = {
        {"du", "K"}, {"dmu", "CK"}, // press and release; one small move is still a click
        {"dmmu", "CCN"},     // two moves: neither click nor drag yet
        {"dmmm", "CCD"},     // the third move drags
        {"dmmmmu", "CCDHN"}, // after the drag: plain moves, and the release is no click
        {"hh", "HH"}, {"dmuh", "CKH"}, // hovering; after a click the next move hovers at once
        {"dmmuhh", "CCNHH"}, // released before the drag: no drag starts without the button
        {"dmmuhmm", "CCNHHH"},
        {"dlu", "N"}, {"dlm", "H"}, // losing the capture ends the countdown
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.outcome, Play(c.steps)) << c.steps;
}

} // namespace
