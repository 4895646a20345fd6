// The frame recorder's script parser on arbitrary text.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "tools/recorder/record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char text[1 << 16];
    static RecordScript script;
    if (size >= sizeof text)
        size = sizeof text - 1;
    memcpy(text, data, size);
    text[size] = 0;
    char err[200];
    parseRecordScript(text, &script, err, sizeof err);
    return 0;
}
