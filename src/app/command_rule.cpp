#include "app/command_rule.h"

#include "base/shell_state.h"

int CommandMayRun(int needs)
{
    if ((needs & NEEDS_NO_DIALOG) && dialogOpen != 0)
        return 0;
    return !(needs & NEEDS_OPEN_LIST) || listOpen != 0;
}
