// A queue that is no QV-MR52, opened for the dialog's own pages alone: its
// description and the user's lpoptions, and its PPD in a temporary file, or
// for a queue without a PPD what it supports (its IPP attributes).
#pragma once

#include "CupsQueue.h"

#include <map>
#include <string>

class PlainQueue
{
  public:
    PlainQueue() = default;
    ~PlainQueue();
    PlainQueue(const PlainQueue &) = delete;
    PlainQueue &operator=(const PlainQueue &) = delete;

    // false with a one-line *error when the server does not know the queue.
    bool open(http_t *http, const std::string &name, std::string *error);

    const CupsQueueInfo &info() const { return info_; }
    // "" for a queue without a PPD.
    const std::string &ppdFile() const { return ppdFile_; }
    const std::vector<QueueIPPOption> &queueOptions() const { return queueOptions_; }
    const std::map<std::string, std::string> &destOptions() const { return destOptions_; }
    // printer-info, else the make and model, else the name.
    std::string title() const;

  private:
    CupsQueueInfo info_;
    std::string ppdFile_;
    std::map<std::string, std::string> destOptions_;
    std::vector<QueueIPPOption> queueOptions_;
};
