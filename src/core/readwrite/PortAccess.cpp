#include "readwrite/PortAccess.h"

#include "link/PortMap.h"
#include "readwrite/ReadWriteTexts.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>

bool PortAccessDenied(const QString& devicePath) {
    if (devicePath.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(devicePath);
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

QString WithPermissionHint(const TMKError& error, const TPortMap& ports, int currentPort,
                           const TAccessCheck& denied) {
    const QString& text = error.Text();
    QString device;
    if (error.Kind() == TErrorKind::NoConnection) {
        if (denied(ports.DevicePath(currentPort)))
            device = ports.DevicePath(currentPort);
    } else if (error.Kind() == TErrorKind::NoPort) {
        for (int n = TPortMap::FirstPort; n <= TPortMap::LastPort && device.isEmpty(); ++n)
            if (denied(ports.DevicePath(n)))
                device = ports.DevicePath(n);
    }
    return device.isEmpty() ? text
                            : text + QLatin1Char('\n') + WorkflowTexts::PortPermissionHint(device);
}
