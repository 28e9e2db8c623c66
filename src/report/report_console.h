// Standard output of vornet-report: UTF-8 bytes to a file or a pipe; on Windows, text to a
// console is handed over as UTF-16, so that it shows right whatever the console's code page.
#pragma once
#include <string>

// 1 when all of `utf8` was written.
int WriteStandardOutput(const std::string& utf8);
