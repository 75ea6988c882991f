#include "PlainQueue.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <memory>

namespace
{

// A PPD with no options: what a queue without a PPD of its own prints with.
const char kEmptyPPD[] = "*PPD-Adobe: \"4.3\"\n"
                         "*FormatVersion: \"4.3\"\n"
                         "*FileVersion: \"1.0\"\n"
                         "*LanguageVersion: English\n"
                         "*LanguageEncoding: ISOLatin1\n"
                         "*PCFileName: \"PLAIN.PPD\"\n"
                         "*Manufacturer: \"Generic\"\n"
                         "*Product: \"(Printer)\"\n"
                         "*ModelName: \"Printer\"\n"
                         "*ShortNickName: \"Printer\"\n"
                         "*NickName: \"Printer\"\n"
                         "*PSVersion: \"(3010.000) 0\"\n";

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
    const int fd = cupsTempFd(path, sizeof path);
    if (fd < 0 || write(fd, kEmptyPPD, sizeof kEmptyPPD - 1) != static_cast<ssize_t>(sizeof kEmptyPPD - 1)) {
        if (fd >= 0) {
            close(fd);
            unlink(path);
        }
        *error = QCoreApplication::translate("tintdialog", "cannot write a temporary file").toStdString();
        return false;
    }
    close(fd);
    ppdFile_ = path;
    return true;
}

std::string PlainQueue::title() const
{
    return !info_.info.empty() ? info_.info : !info_.makeAndModel.empty() ? info_.makeAndModel : info_.name;
}
