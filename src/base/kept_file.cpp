#include "base/kept_file.h"

#include <string.h>

#include "base/system.h"
#include "base/text_builder.h"

size_t KeptFileName(const char* name, int n, char* out, size_t capacity)
{
    const char* dot = strrchr(name, '.');
    size_t stemLength = dot != nullptr ? static_cast<size_t>(dot - name) : strlen(name);
    TextBuilder b = {out, capacity, 0};
    AppendBytes(&b, name, stemLength);
    AppendText(&b, "-kept-");
    AppendInt(&b, n);
    AppendText(&b, dot != nullptr ? dot : "");
    return b.length;
}

int KeepFileAside(const char* name, char* keptName, size_t keptSize)
{
    FileStamp stamp;
    for (int n = 1; n <= 9999; ++n) {
        char candidate[260];
        KeptFileName(name, n, candidate, sizeof candidate);
        if (ReadFileStamp(candidate, &stamp))
            continue;
        if (MoveFileTo(name, candidate) != 0)
            return -1;
        CopyText(keptName, keptSize, candidate, strlen(candidate));
        return 0;
    }
    return -1;
}
