// The walk's diagnostics hook. Nothing reads walk progress in this system,
// so it is dropped here rather than at every call site.
#include "ProfileStore.h"

void MyDebugMessage(const char *text, long number)
{
    (void)text;
    (void)number;
}
