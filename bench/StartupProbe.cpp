// Starts a program and times it until its titled window is mapped, then reads its resident memory.
//
// Usage: StartupProbe TITLE IDLE_MS PROGRAM [ARG...]
// Prints "MILLISECONDS RSS_KIB CPU_MILLISECONDS" on one line: the CPU time the program used in all
// (user and system, to its end) is the figure that other loads on the machine disturb least. The X
// display comes from DISPLAY; no window manager may run there, so that the program's top-level
// windows are the root's own children.
//
// Rather than polling with xdotool, one search of which takes 10-85 ms on Xvfb (about the bare
// window's whole start), it listens for the map events of the root's children: no polling, and the
// clock starts in the same process that forks the program.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto MapTimeout = std::chrono::seconds(20);

[[noreturn]] void Fail(const std::string &message)
{
    std::fprintf(stderr, "StartupProbe: %s\n", message.c_str());
    std::exit(2);
}

std::string Property(Display *display, Window window, Atom name, Atom type)
{
    Atom actualType = 0;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, type, &actualType, &actualFormat,
                           &count, &remaining, &data) != Success ||
        data == nullptr)
        return {};
    std::string text(reinterpret_cast<const char *>(data), count);
    XFree(data);
    return text;
}

// Toolkits set the UTF-8 title and may also set the legacy one; either names the window.
bool HasTitle(Display *display, Window window, const std::string &title)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    return Property(display, window, netWmName, utf8) == title ||
           Property(display, window, XA_WM_NAME, AnyPropertyType) == title;
}

bool IsMappedViewable(Display *display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    Fail("no VmRSS for process " + std::to_string(pid));
}

// Ends the program and returns the CPU time it used, in milliseconds.
double Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto ms = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) * 1000.0 +
               static_cast<double>(time.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// A window can be gone by the time its map event is read (Wine maps and destroys helper windows
// at start); Xlib's default handler would end the probe for the failed look-up.
int IgnoreVanishedWindow(Display *, XErrorEvent *error)
{
    if (error->error_code != BadWindow)
        Fail("X error " + std::to_string(error->error_code));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4)
        Fail("usage: StartupProbe TITLE IDLE_MS PROGRAM [ARG...]");
    const std::string title = argv[1];
    const auto idle = std::chrono::milliseconds(std::strtol(argv[2], nullptr, 10));

    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr)
        Fail("cannot open the X display");
    XSetErrorHandler(IgnoreVanishedWindow);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        Fail("fork failed");
    if (pid == 0) {
        execv(argv[3], argv + 3);
        std::perror(argv[3]);
        _exit(127);
    }

    Clock::time_point mapped;
    for (bool found = false; !found;) {
        if (XPending(display) == 0) {
            if (Clock::now() - start > MapTimeout) {
                Stop(pid);
                Fail("no window titled \"" + title + "\" was mapped");
            }
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid)
                Fail(std::string(argv[3]) + " ended before its window was mapped");
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        const Clock::time_point received = Clock::now();
        if (event.type == MapNotify && HasTitle(display, event.xmap.window, title) &&
            IsMappedViewable(display, event.xmap.window)) {
            mapped = received;
            found = true;
        }
    }

    std::this_thread::sleep_for(idle);
    const long rss = ResidentKiB(pid);
    const double cpu = Stop(pid);
    XCloseDisplay(display);

    const std::chrono::duration<double, std::milli> elapsed = mapped - start;
    std::printf("%.2f %ld %.1f\n", elapsed.count(), rss, cpu);
    return 0;
}
