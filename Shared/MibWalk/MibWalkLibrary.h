// The SNMP library as the walk uses it: initialised once per process, before
// any walk reads its settings or opens a session.
#pragma once

// Application flags of the walk (Net-SNMP application default store); the
// configuration tokens includeRequested, printStatistics, dontCheckOrdering
// and oneVariablePerRequest of "snmpwalk" give their defaults.
constexpr int kMibWalkIncludeRequestedFlag = 1;
constexpr int kMibWalkPrintStatisticsFlag = 2;
constexpr int kMibWalkDontCheckOrderingFlag = 3;
constexpr int kMibWalkOneVariablePerRequestFlag = 4;

// Registers the walk's configuration tokens and initialises the library
// (reading its configuration files) the first time; safe from any thread.
void MibWalkInitLibrary();
