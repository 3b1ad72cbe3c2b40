#ifndef TESTS_STANDINS_TEST_APPLICATION_H
#define TESTS_STANDINS_TEST_APPLICATION_H

#include <QApplication>

// One application for the whole test program, on the offscreen platform.
inline void ensureApplication()
{
    static int s_argc = 3;
    static char s_arg0[] = "varavozov_test";
    static char s_arg1[] = "-platform";
    static char s_arg2[] = "offscreen";
    static char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};
    if (!QApplication::instance())
        new QApplication(s_argc, s_argv);
}

#endif // TESTS_STANDINS_TEST_APPLICATION_H
