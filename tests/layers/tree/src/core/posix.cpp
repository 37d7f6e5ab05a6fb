#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#if defined(Q_OS_LINUX)
#include <poll.h>
#endif
#else
#include <windows.h>
#endif

#include <unistd.h>
