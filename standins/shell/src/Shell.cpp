#include "Shell.h"

#include "MessageOutput.h"
#include "UvEventDispatcher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QWidget>
#include <QtCore/private/qabstracteventdispatcher_p.h>
#include <qpa/qplatformintegrationfactory_p.h>
#include <qpa/qwindowsysteminterface.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef SHELL_WIN32SIM_QPA
#include <win32sim/QpaImport.h>
#endif

Q_LOGGING_CATEGORY(lcShell, "shell", QtWarningMsg)

namespace {

// QApplication keeps argc and argv by reference for its whole life.
int s_argc = 0;
char s_arg0[] = "node";
char s_arg1[] = "-platform";
char s_arg2[64] = {};
char *s_argv[] = {s_arg0, s_arg1, s_arg2, nullptr};

// Platforms a shell may run on; the others need hardware or abort when they fail.
const QStringList &supportedPlatforms()
{
#ifdef _WIN32
    static const QStringList list{QStringLiteral("windows"), QStringLiteral("offscreen"),
                                  QStringLiteral("minimal")};
#else
    static const QStringList list{QStringLiteral("win32sim"), QStringLiteral("offscreen"),
                                  QStringLiteral("minimal"), QStringLiteral("xcb")};
#endif
    return list;
}

// A desktop session provides a runtime folder; without one Qt warns on every start and
// uses the same folder as here. Windows has none.
void ensureRuntimeDir()
{
#ifndef _WIN32
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd *pw = ::getpwuid(::geteuid());
    const QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/runtime-" + (pw ? pw->pw_name : "");
    struct stat st;
    if (::mkdir(dir.constData(), 0700) == 0
        || (::stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
            && (st.st_mode & 0777) == 0700))
        qputenv("XDG_RUNTIME_DIR", dir);
#endif
}

} // namespace

Shell &Shell::instance()
{
    // Never destroyed: the exit order is run by shutdown(), not by static destructors.
    static Shell *s_pShell = new Shell;
    return *s_pShell;
}

QString Shell::defaultPlatform()
{
#ifdef SHELL_WIN32SIM_QPA
    return QStringLiteral("win32sim");
#elif defined(_WIN32)
    return QStringLiteral("windows");
#else
    return QStringLiteral("offscreen");
#endif
}

QStringList Shell::availablePlatforms()
{
    const QStringList keys = QPlatformIntegrationFactory::keys();
    QStringList list;
    for (const QString &name : supportedPlatforms())
        if (keys.contains(name, Qt::CaseInsensitive))
            list.append(name);
    return list;
}

bool Shell::start(uv_loop_t *pLoop, const QString &strPlatform, QString *pError)
{
    auto fail = [pError](const QString &reason) {
        if (pError)
            *pError = reason;
        return false;
    };
    const QString platform = strPlatform.isEmpty() ? defaultPlatform() : strPlatform;
    if (m_state == State::Running) {
        if (!strPlatform.isEmpty() && strPlatform != m_strPlatform)
            return fail(QStringLiteral("the Qt application already runs on platform \"%1\"").arg(m_strPlatform));
        return true;
    }
    if (m_state == State::Ended)
        return fail(QStringLiteral("the Qt application has ended and cannot start again"));
    if (!pLoop)
        return fail(QStringLiteral("no event loop"));

    // A desktop shell that embeds the add-on brings its own application and loop.
    if (QCoreApplication::instance())
        return fail(QStringLiteral("a Qt application the shell did not make runs already; the shell leaves it alone"));
    if (!supportedPlatforms().contains(platform))
        return fail(QStringLiteral("unknown platform \"%1\" (one of: %2)")
                    .arg(platform, supportedPlatforms().join(QStringLiteral(", "))));
    if (!availablePlatforms().contains(platform))
        return fail(QStringLiteral("platform \"%1\" is not available in this build").arg(platform));
    if (platform == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY"))
        return fail(QStringLiteral("platform \"xcb\" needs a display (DISPLAY is not set)"));

    std::strncpy(s_arg2, platform.toLatin1().constData(), sizeof(s_arg2) - 1);
    s_argc = 3;
    ensureRuntimeDir();
    MessageOutput::install(); // before Qt says anything: its application, the desktop, the add-ons
    m_pDispatcher = new UvEventDispatcher(pLoop);
    QCoreApplication::setEventDispatcher(m_pDispatcher);
    m_pApp = new QApplication(s_argc, s_argv);
    // Qt takes the user's locale; number formatting in the process stays as Node had it.
    std::setlocale(LC_NUMERIC, "C");
    // The script decides when the shell ends, not its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    m_strPlatform = QGuiApplication::platformName();
    m_state = State::Running;
    qCDebug(lcShell).noquote() << "started on" << m_strPlatform;
    return true;
}

bool Shell::ownsApplication() const
{
    return m_pApp && QCoreApplication::instance() == m_pApp;
}

void Shell::setGuard(DispatchGuard guard)
{
    if (m_pDispatcher)
        m_pDispatcher->setGuard(std::move(guard));
}

bool Shell::processEvents()
{
    return m_state == State::Running && m_pDispatcher->processFromScript();
}

void Shell::shutdown()
{
    if (m_state == State::Running) {
        m_state = State::Ended;
        m_pDispatcher->setGuard({}); // no script runs from here on
        // As when a shell's exec() returns: owners of Qt objects release them now.
        QMetaObject::invokeMethod(m_pApp, "aboutToQuit", Qt::DirectConnection);
    }
    if (m_pApp)
        releaseApplication();
}

void Shell::releaseApplication()
{
    flushForTeardown();
    const int iWidgets = QApplication::topLevelWidgets().size();
    if (iWidgets == 0 && m_pDispatcher->atTopLevel()) {
        delete m_pApp; // takes the dispatcher, which closes its loop handles
        m_pApp = nullptr;
        m_pDispatcher = nullptr;
        m_bApplicationKept = false;
        qCDebug(lcShell).noquote() << "application deleted";
        return;
    }
    // Widgets still owned elsewhere go when their owners delete them (an add-on at its
    // own cleanup), which needs the application: it stays, off the loop, and a later
    // shutdown() deletes it once they are gone.
    m_bApplicationKept = true;
    m_pDispatcher->detach();
    qCDebug(lcShell).noquote() << "application kept for" << iWidgets << "top-level widgets";
}

void Shell::flushForTeardown()
{
    const bool bTop = m_pDispatcher->atTopLevel();
    for (int iRound = 0; iRound < 8; ++iRound) {
        QCoreApplication::sendPostedEvents();
        if (bTop)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QWindowSystemInterface::sendWindowSystemEvents(QEventLoop::AllEvents);
        if (qGlobalPostedEventsCount() == 0 && QWindowSystemInterface::windowSystemEventsQueued() == 0)
            break;
    }
}
