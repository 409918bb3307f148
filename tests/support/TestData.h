#pragma once

#include <QString>

// Folder of the committed test data (tests/data), handed over by CTest.
inline QString TestDataPath(const QString& name) {
    return qEnvironmentVariable("MK_TEST_DATA") + QLatin1Char('/') + name;
}
