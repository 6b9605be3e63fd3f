// Runs a Qt Test class on the real window, offscreen, with the browser
// engine set up the way the program sets it up.
#pragma once

#include <QApplication>
#include <QTest>

#include "text/os.h"

#define WENYUAN_GUI_TEST_MAIN(TestClass)                                                   \
    int main(int argc, char** argv) {                                                      \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
        if (wy::os::RunningAsAdministrator()) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox"); \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                        \
        QApplication app(argc, argv);                                                      \
        TestClass test;                                                                    \
        return QTest::qExec(&test, argc, argv);                                            \
    }
