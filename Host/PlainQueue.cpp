#include "PlainQueue.h"

#include <QCoreApplication>

#include <unistd.h>

#include <memory>

namespace
{

struct DestFree {
    void operator()(cups_dest_t *dest) const { cupsFreeDests(1, dest); }
};

} // namespace

PlainQueue::~PlainQueue()
{
    if (!ppdFile_.empty())
        unlink(ppdFile_.c_str());
}

bool PlainQueue::open(http_t *http, const std::string &name, std::string *error)
{
    std::unique_ptr<cups_dest_t, DestFree> dest(cupsGetNamedDest(http, name.c_str(), nullptr));
    if (!dest) {
        *error = QCoreApplication::translate("tintdialog", "no queue %1")
                     .arg(QString::fromStdString(name))
                     .toStdString();
        return false;
    }
    info_.name = name;
    for (int i = 0; i < dest->num_options; ++i)
        destOptions_[dest->options[i].name] = dest->options[i].value;
    auto option = [&](const char *key) {
        const char *value = cupsGetOption(key, dest->num_options, dest->options);
        return std::string(value ? value : "");
    };
    info_.info = option("printer-info");
    info_.makeAndModel = option("printer-make-and-model");
    info_.deviceURI = option("device-uri");
    time_t modified = 0;
    char path[1024] = "";
    if (cupsGetPPD3(http, name.c_str(), &modified, path, sizeof path) == HTTP_STATUS_OK) {
        info_.hasPPD = true;
        ppdFile_ = path;
        return true;
    }
    // A raw or driverless queue: what it supports instead of a PPD's options.
    queueOptions_ = QueueIPPOptionsOf(http, dest.get());
    return true;
}

std::string PlainQueue::title() const
{
    return !info_.info.empty() ? info_.info : !info_.makeAndModel.empty() ? info_.makeAndModel : info_.name;
}
