// The tags of a request string. Each tag ends the field it names; they are
// case-sensitive and spelled as the peers expect them ("USErName", "cFoo").
#pragma once

inline constexpr const char kTagModelName[] = ":ModelName:END";
inline constexpr const char kTagUserName[] = ":USErName:END";
inline constexpr const char kTagArg[] = ":arg:";
inline constexpr const char kTagSwapType[] = ":ARG_iSwapType";
inline constexpr const char kTagCurrentPath[] = ":ARG_cFooCurrentString";
inline constexpr const char kTagPrevPath[] = ":ARG_cFooPrevString";
inline constexpr const char kTagAddURL[] = ":AddURL:END";

// A swap field whose text is exactly this stands for an absent value.
inline constexpr const char kFieldNull[] = "NULL";
