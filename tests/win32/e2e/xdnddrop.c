/* A real X11 drag and drop onto a window, as a file manager makes it (the XDND protocol,
 * version 5): xdnddrop WINDOW X Y URI-LIST. The window is entered and hovered at the
 * screen point X, Y; the drop hands over URI-LIST ("file:///...\r\n") as text/uri-list.
 * Ends with status 0 once the window has finished the drop, 2 when it refused it, 1 on
 * a time-out. Built by the end-to-end tests with the system's C compiler. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>

static Display* display;
static Window source, target;

static void Send(Atom type, long l1, long l2, long l3, long l4) {
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

int main(int argc, char** argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: xdnddrop WINDOW X Y URI-LIST\n");
    return 1;
  }
  display = XOpenDisplay(NULL);
  if (display == NULL) return 1;
  target = (Window)strtoul(argv[1], NULL, 0);
  const long x = atol(argv[2]), y = atol(argv[3]);
  const char* uris = argv[4];
  const Atom selection = XInternAtom(display, "XdndSelection", False);
  const Atom enter = XInternAtom(display, "XdndEnter", False);
  const Atom position = XInternAtom(display, "XdndPosition", False);
  const Atom status = XInternAtom(display, "XdndStatus", False);
  const Atom drop = XInternAtom(display, "XdndDrop", False);
  const Atom finished = XInternAtom(display, "XdndFinished", False);
  const Atom copy = XInternAtom(display, "XdndActionCopy", False);
  const Atom uriList = XInternAtom(display, "text/uri-list", False);

  source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, selection, source, CurrentTime);
  Send(enter, 5L << 24, (long)uriList, 0, 0);
  Send(position, 0, (x << 16) | (y & 0xFFFF), CurrentTime, (long)copy);

  const time_t giveUp = time(NULL) + 15;
  int dropped = 0;
  while (time(NULL) < giveUp) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionRequest) {
        XSelectionRequestEvent* request = &event.xselectionrequest;
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
                          PropModeReplace, (const unsigned char*)uris, (int)strlen(uris));
          reply.xselection.property = request->property;
        }
        XSendEvent(display, request->requestor, False, NoEventMask, &reply);
        XFlush(display);
      } else if (event.type == ClientMessage && event.xclient.message_type == status) {
        if (dropped) continue;
        if ((event.xclient.data.l[1] & 1) == 0) return 2;
        Send(drop, 0, CurrentTime, 0, 0);
        dropped = 1;
      } else if (event.type == ClientMessage && event.xclient.message_type == finished) {
        return 0;
      }
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(ConnectionNumber(display), &readable);
    struct timeval wait = {0, 100000};
    select(ConnectionNumber(display) + 1, &readable, NULL, NULL, &wait);
  }
  return 1;
}
