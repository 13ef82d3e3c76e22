// A second process for the settings tests: writes keys into the program folder given by
// YURAGINE_HOME.
//   settings_writer distinct PREFIX COUNT  writes PREFIX_0 .. PREFIX_{COUNT-1}, exits 0 when
//                                          every write was stored
//   settings_writer loop PREFIX            writes PREFIX_0, PREFIX_1, ... until killed and
//                                          prints each index once its write has returned
#include "app/settingsstore.h"

#include <QString>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const QString section = QStringLiteral("Load");
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    auto key = [&](long i) { return prefix + u'_' + QString::number(i); };
    auto value = [](long i) { return QStringLiteral("v") + QString::number(i); };

    if (std::strcmp(argv[1], "distinct") == 0 && argc == 4) {
        const long count = std::strtol(argv[3], nullptr, 10);
        for (long i = 0; i < count; ++i) {
            if (writeSetting(section, key(i), value(i)) == 0)
                return 1;
        }
        return 0;
    }
    if (std::strcmp(argv[1], "loop") == 0) {
        for (long i = 0;; ++i) {
            if (writeSetting(section, key(i), value(i)) == 0)
                return 1;
            std::printf("%ld\n", i);
            std::fflush(stdout);
        }
    }
    return 2;
}
