#include "ProfileProbeReuse.h"

namespace
{
thread_local int tReuses = 0;
thread_local int tAnswer = -1; // -1: not probed yet
} // namespace

ProfileProbeReuse::ProfileProbeReuse()
{
    ++tReuses;
}

ProfileProbeReuse::~ProfileProbeReuse()
{
    if (--tReuses == 0)
        tAnswer = -1;
}

int ProfileProbeReuse::answer()
{
    return tReuses > 0 ? tAnswer : -1;
}

void ProfileProbeReuse::remember(int answer)
{
    if (tReuses > 0)
        tAnswer = answer;
}
