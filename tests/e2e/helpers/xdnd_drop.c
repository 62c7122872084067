/* Drops files at a point of the X screen as a Linux file manager does, with
 * the X drag-and-drop protocol (XDND) version 5, which Wine turns into the
 * system's own drop for the window under the point:
 *
 *   xdnd_drop X Y RESULT_FILE FILE...
 *
 * Enter (offering text/uri-list), Position, then the target's Status; when
 * it accepts, Drop, the file list served as the selection, and Finished;
 * when it refuses, Leave. RESULT_FILE receives "accepted" or "refused" (or
 * "no target", "no answer") with a line end once all is done, so that a
 * program that cannot wait for this one can poll for it. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/time.h>

#define XDND_VERSION 5
#define TIMEOUT_MS 5000

static Display* display;
static Atom aware, selection, enter, position, status, leave, drop, finished, copy, uriList;

static long Now(void) {
    struct timeval now;
    gettimeofday(&now, NULL);
    return now.tv_sec * 1000L + now.tv_usec / 1000;
}

/* The deepest window at the point that says it takes drops. */
static Window TargetAt(int x, int y) {
    Window root = DefaultRootWindow(display), from = root, child = None, found = None;
    int inX, inY;
    while (XTranslateCoordinates(display, root, from, x, y, &inX, &inY, &child) && child) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = NULL;
        if (XGetWindowProperty(display, child, aware, 0, 1, False, AnyPropertyType, &type, &format,
                               &count, &after, &data) == Success &&
            type != None)
            found = child;
        if (data) XFree(data);
        from = child;
    }
    return found;
}

static void Send(Window target, Atom type, long l1, long l2, long l3, long l4, Window source) {
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)source;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &event);
    XFlush(display);
}

/* Waits for a client message of the type, serving selection requests with
 * the list meanwhile; 0 on timeout. */
static int WaitFor(Atom type, XEvent* got, const char* list) {
    const long deadline = Now() + TIMEOUT_MS;
    while (Now() < deadline) {
        if (!XPending(display)) {
            struct timeval pause = {0, 10000};
            select(0, NULL, NULL, NULL, &pause);
            continue;
        }
        XNextEvent(display, got);
        if (got->type == ClientMessage && got->xclient.message_type == type) return 1;
        if (got->type == SelectionRequest) {
            XSelectionRequestEvent* request = &got->xselectionrequest;
            XEvent reply;
            memset(&reply, 0, sizeof reply);
            reply.xselection.type = SelectionNotify;
            reply.xselection.requestor = request->requestor;
            reply.xselection.selection = request->selection;
            reply.xselection.target = request->target;
            reply.xselection.time = request->time;
            reply.xselection.property = None;
            if (request->target == uriList) {
                XChangeProperty(display, request->requestor, request->property, uriList, 8,
                                PropModeReplace, (const unsigned char*)list, (int)strlen(list));
                reply.xselection.property = request->property;
            }
            XSendEvent(display, request->requestor, False, NoEventMask, &reply);
            XFlush(display);
        }
    }
    return 0;
}

/* A file's URI: file:// and the path, with every byte outside the
 * unreserved set written as %XX. */
static void AppendUri(char* list, size_t size, const char* path) {
    static const char hex[] = "0123456789ABCDEF";
    size_t used = strlen(list);
    used += (size_t)snprintf(list + used, size - used, "file://");
    for (const unsigned char* c = (const unsigned char*)path; *c && used + 4 < size; ++c) {
        if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') ||
            strchr("/-._~", *c)) {
            list[used++] = (char)*c;
        } else {
            list[used++] = '%';
            list[used++] = hex[*c >> 4];
            list[used++] = hex[*c & 15];
        }
    }
    used += (size_t)snprintf(list + used, size - used, "\r\n");
    list[used] = '\0';
}

static int Finish(const char* resultFile, const char* result) {
    FILE* out = fopen(resultFile, "w");
    if (!out) return 1;
    fprintf(out, "%s\n", result);
    fclose(out);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: %s X Y RESULT_FILE FILE...\n", argv[0]);
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const char* resultFile = argv[3];
    static char list[65536];
    for (int i = 4; i < argc; ++i) AppendUri(list, sizeof list, argv[i]);

    display = XOpenDisplay(NULL);
    if (!display) return Finish(resultFile, "no display");
    aware = XInternAtom(display, "XdndAware", False);
    selection = XInternAtom(display, "XdndSelection", False);
    enter = XInternAtom(display, "XdndEnter", False);
    position = XInternAtom(display, "XdndPosition", False);
    status = XInternAtom(display, "XdndStatus", False);
    leave = XInternAtom(display, "XdndLeave", False);
    drop = XInternAtom(display, "XdndDrop", False);
    finished = XInternAtom(display, "XdndFinished", False);
    copy = XInternAtom(display, "XdndActionCopy", False);
    uriList = XInternAtom(display, "text/uri-list", False);

    const Window source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0,
                                              0, 0);
    XSetSelectionOwner(display, selection, source, CurrentTime);
    const Window target = TargetAt(x, y);
    if (target == None) return Finish(resultFile, "no target");

    XEvent got;
    Send(target, enter, (long)XDND_VERSION << 24, (long)uriList, None, None, source);
    Send(target, position, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime, (long)copy, source);
    if (!WaitFor(status, &got, list)) return Finish(resultFile, "no answer");
    if (!(got.xclient.data.l[1] & 1)) {
        Send(target, leave, 0, 0, 0, 0, source);
        return Finish(resultFile, "refused");
    }
    Send(target, drop, 0, CurrentTime, 0, 0, source);
    if (!WaitFor(finished, &got, list)) return Finish(resultFile, "no answer");
    XCloseDisplay(display);
    return Finish(resultFile, "accepted");
}
