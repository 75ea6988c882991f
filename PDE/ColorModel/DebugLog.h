// Debug logging functions the bundle exports for whoever wants to trace the
// panel from outside (a debugger, a test host). The plug-in itself logs only
// failures that would otherwise pass unseen (a profile list not saved).
//
// In format strings "%@" stands for an object: the argument is a QObject *
// and is written as its class name, address and object name ("(null)" for a
// null pointer).
#pragma once

#include <cstdint>
#include <cstdio>

class QObject;
struct PDEControlItem;

#define TINT_EXPORT __attribute__((visibility("default")))

// Formats the arguments, converts the text to the locale's character set
// ('?' for what it cannot hold), writes it to stream and flushes it. Always 0.
extern "C" TINT_EXPORT long MyLog(FILE *stream, const char *format, ...);

// "BEGIN self(<object>) <format>", "END …" and "LOG self(<object>): <format>"
// to the system log, the remaining arguments formatted into the format.
extern "C" TINT_EXPORT void _PDEProlog(const QObject *self, const char *format, ...);
extern "C" TINT_EXPORT void _PDEEpilog(const QObject *self, const char *format, ...);
extern "C" TINT_EXPORT void _PDELog(const QObject *self, const char *format, ...);

// Number of records of table up to and including its end record.
extern "C" TINT_EXPORT uint16_t _DEBUGControlTable(const PDEControlItem *table);
