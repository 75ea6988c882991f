// The printers a person can choose in the window: every queue of the
// server with its state as CUPS tells it (idle, printing, paused or
// stopped and why, not accepting jobs), the default marked.
#pragma once

#include "CupsQueue.h"

#include <QString>

#include <string>
#include <vector>

struct PrinterChoice {
    CupsQueueInfo queue;
    std::vector<std::string> reasons; // printer-state-reasons, without "none"
    std::string message;              // printer-state-message
    bool accepting = true;            // printer-is-accepting-jobs
};

// Every queue of the server. false with *error when the server refuses.
bool PrinterChoicesList(http_t *http, std::vector<PrinterChoice> *choices, std::string *error);

// "ready", "printing", "paused", "stopped", each with what follows from the
// reasons and the printer's message, and "not accepting jobs"; translated.
QString PrinterChoiceState(const PrinterChoice &choice);

// The line of the chooser: "NAME – STATE", "(default)" after the default,
// and "no colour options" for a queue that is not a QV-MR52.
QString PrinterChoiceLine(const PrinterChoice &choice);
