#pragma once

#include <QApplication>

// One QApplication for the whole test program, off screen, made on first use.
inline QApplication *testApplication()
{
    static int argc = 3;
    static char arg0[] = "manager-tests", arg1[] = "-platform", arg2[] = "offscreen";
    static char *argv[] = {arg0, arg1, arg2, nullptr};
    static QApplication *pApp = new QApplication(argc, argv);
    return pApp;
}
