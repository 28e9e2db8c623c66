#include "app/shell_state.h"

int dialogOpen = 0;
int listOpen = 0;
int dragCountdown = 0;
int screenWidth = 0;
int screenHeight = 0;
char fileBuffer[FILE_BUFFER_SIZE];
