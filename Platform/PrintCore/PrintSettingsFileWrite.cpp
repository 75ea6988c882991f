// The writing half of the settings file, and the whole-file writes of the
// dialog's other files (the user's lpoptions). QSaveFile writes beside the
// file and renames over it; a new file gets the permissions the user's umask
// gives, an existing one keeps its own.
#include "PrintSettingsFile.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool PMWriteFileWhole(const std::string &path, const std::string &bytes, std::string *error)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    const auto size = static_cast<qint64>(bytes.size());
    // QSaveFile's commit() renames even after a failed write on a full disk
    // (it only looks at its own buffer): every write, the flush and the sync
    // are checked here, and on any failure the temporary file is dropped so
    // that commit() leaves the old file as it was.
    bool written = file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
                   file.flush() && file.error() == QFileDevice::NoError;
    std::string reason;
    if (written && ::fsync(file.handle()) != 0) {
        reason = std::strerror(errno);
        written = false;
    }
    if (!written) {
        if (reason.empty())
            reason = file.errorString().toStdString();
        file.cancelWriting();
        file.commit();
        *error = path + ": " + reason;
        return false;
    }
    if (!file.commit()) {
        *error = path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool PMPrintSettingsWriteFile(const std::string &path, const PMDictionary &values, std::string *error)
{
    std::string scratch;
    if (!error)
        error = &scratch;
    std::string xml;
    if (!PMPrintSettingsToXML(values, &xml, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return PMWriteFileWhole(path, xml, error);
}

PMFileLock::~PMFileLock()
{
    unlock();
}

bool PMFileLock::lock(const std::string &path, std::string *error)
{
    unlock();
    const std::string lockFile = path + ".lock";
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    int reason = errno;
    if (fd_ >= 0) {
        while (flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                reason = errno;
                unlock();
                break;
            }
        }
    }
    if (fd_ < 0 && error)
        *error = lockFile + ": " + std::strerror(reason);
    return fd_ >= 0;
}

void PMFileLock::unlock()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}
