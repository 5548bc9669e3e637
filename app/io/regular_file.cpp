#include "app/io/regular_file.h"

#include "app/io/file_name_bytes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString OpenRegularFile(QFile& file)
{
    const QByteArray name = FileNameBytes(file.fileName());
    struct stat status { };
    if (::stat(name.constData(), &status) != 0)
        return SystemReason(errno);
    if (!S_ISREG(status.st_mode))
        return QString::fromLatin1(NotARegularFile);
    const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return SystemReason(errno);
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return QString::fromLatin1(NotARegularFile);
    }
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return file.errorString();
    }
    return {};
}

} // namespace app
