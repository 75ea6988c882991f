// The writing half of the settings file. QSaveFile writes beside the file
// and renames over it only once everything is on disk, so a failed write
// never leaves a cut file; a new file gets the permissions the user's umask
// gives, an existing one keeps its own.
#include "PrintSettingsFile.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    const auto size = static_cast<qint64>(xml.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(xml.data(), size) != size || !file.commit()) {
        *error = path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}
