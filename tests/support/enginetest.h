#pragma once

#include <QApplication>
#include <QtTest>

// main() for tests of the real engine: Qt WebEngine needs shared GL contexts set before
// the application object exists.
#define YURA_ENGINE_TEST_MAIN(TestClass)                                                                               \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                                    \
        QApplication application(argc, argv);                                                                          \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
