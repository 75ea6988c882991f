// The job options of a queue without a PPD (a raw or driverless queue), as
// its IPP attributes say what it supports: the paper (media) always (a raw
// queue lists none and passes any on: the common sizes and its default
// then), and two-sided printing, colour mode and quality where it offers a
// choice. They carry the names and values `lp -o` takes.
#pragma once

#include <cups/cups.h>

#include <string>
#include <vector>

struct QueueIPPOption {
    std::string name;                // media, sides, print-color-mode, print-quality
    std::vector<std::string> values; // as the queue lists them (print-quality: 3, 4, 5)
    std::string defaultValue;        // the queue's default, else the first value
};

// What dest supports, asked over http (cupsCopyDestInfo). Empty when the
// server does not say.
std::vector<QueueIPPOption> QueueIPPOptionsOf(http_t *http, cups_dest_t *dest);

// Every name QueueIPPOptionsOf may give, for the user's lpoptions.
std::vector<std::string> QueueIPPOptionNames();

// The title of an option and of one of its values, in the person's language.
const char *QueueIPPOptionTitle(const std::string &name);
std::string QueueIPPValueTitle(const std::string &name, const std::string &value);
