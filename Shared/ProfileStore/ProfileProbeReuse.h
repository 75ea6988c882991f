// The plug-in's write probe asks the service through a relay process; its
// answer (whether the user may write the printer's preferences folder) does
// not change while a panel loads. While a ProfileProbeReuse lives on this
// thread, the first probe's answer is reused by every later probe, the
// store's own file operations included.
#pragma once

class ProfileProbeReuse
{
  public:
    ProfileProbeReuse();
    ~ProfileProbeReuse();
    ProfileProbeReuse(const ProfileProbeReuse &) = delete;
    ProfileProbeReuse &operator=(const ProfileProbeReuse &) = delete;

    // For the back end's probe: the answer to reuse (-1: probe), and the
    // answer of a probe just made (kept only while one lives).
    static int answer();
    static void remember(int answer);
};
