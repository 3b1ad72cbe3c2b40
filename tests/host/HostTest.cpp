#include "HostTest.h"

#include <QApplication>

void HostTest::SetUp()
{
    win32sim::reset();
    varavozov::reset();
    qputenv("USERPROFILE", "C:\\Users\\op");
}
