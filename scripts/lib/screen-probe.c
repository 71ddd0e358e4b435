// Watches the X screen for a marker colour, for timing editors as a user sees them.
//
//   screen-probe start RRGGBB TIMEOUT PROGRAM [ARGS...]
//       starts PROGRAM and waits until the colour shows on the screen; prints the seconds from
//       the start and the program's process id (the program keeps running)
//   screen-probe gone RRGGBB TIMEOUT
//       waits until the colour no longer shows anywhere; prints the seconds waited
//   screen-probe cpu PID
//       prints the CPU nanoseconds the process has used, every thread counted, those that have
//       already ended too (a per-thread sum over /proc misses a worker that has finished)
//
// The screen is sampled every 8 pixels in both directions; a pixel within 12 of each channel
// matches (JPEG changes a flat colour a little), and the colour shows when at least 100 samples
// match (a patch of 80 x 80 pixels or more: never a colour swatch of a palette). Exit status 1
// on timeout.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static int shows(Display* display, unsigned long colour)
{
    Window root = DefaultRootWindow(display);
    XWindowAttributes a;
    XGetWindowAttributes(display, root, &a);
    XImage* image = XGetImage(display, root, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const int r = (colour >> 16) & 255, g = (colour >> 8) & 255, b = colour & 255;
    int found = 0;
    for (int y = 0; y < a.height && found < 100; y += 8)
        for (int x = 0; x < a.width; x += 8) {
            const unsigned long p = XGetPixel(image, x, y);
            const int pr = (p >> 16) & 255, pg = (p >> 8) & 255, pb = p & 255;
            if (abs(pr - r) <= 12 && abs(pg - g) <= 12 && abs(pb - b) <= 12)
                ++found;
        }
    XDestroyImage(image);
    return found >= 100;
}

int main(int argc, char** argv)
{
    if (argc == 3 && argv[1][0] == 'c') {
        clockid_t clock;
        struct timespec t;
        if (clock_getcpuclockid((pid_t)atoi(argv[2]), &clock) != 0 || clock_gettime(clock, &t) != 0) {
            fprintf(stderr, "screen-probe: no such process\n");
            return 1;
        }
        printf("%lld\n", (long long)t.tv_sec * 1000000000LL + t.tv_nsec);
        return 0;
    }
    if (argc < 4) {
        fprintf(stderr, "usage: screen-probe start|gone RRGGBB TIMEOUT [PROGRAM ARGS...] | cpu PID\n");
        return 2;
    }
    const int start = argv[1][0] == 's';
    const unsigned long colour = strtoul(argv[2], NULL, 16);
    const double timeout = atof(argv[3]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "screen-probe: no display\n");
        return 2;
    }
    const double t0 = now();
    pid_t child = 0;
    if (start) {
        if (argc < 5)
            return 2;
        child = fork();
        if (child == 0) {
            // The program's output must not hold the caller's pipe open.
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execvp(argv[4], argv + 4);
            _exit(127);
        }
    }
    while (now() - t0 < timeout) {
        if (shows(display, colour) == start) {
            if (start)
                printf("%.3f %d\n", now() - t0, (int)child);
            else
                printf("%.3f\n", now() - t0);
            return 0;
        }
        usleep(2000);
    }
    if (start)
        printf("timeout %d\n", (int)child);
    return 1;
}
