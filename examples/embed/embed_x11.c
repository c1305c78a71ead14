/* A C program with an X11 window of its own that embeds the panel browser control as a child
 * window and prints the project's panel events.
 *
 *   embed_x11 PROJECT [--seconds N] [--size WxH] [--screenshot FILE.png]
 *
 * --screenshot saves what the program's window shows at the end (the control's view inside). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "veltrix_browser.h"

static const char kUsage[] = "usage: embed_x11 PROJECT [--seconds N] [--size WxH] [--screenshot FILE.png]\n";

static void print_event(void* user, const char* name, const char* p1, const char* p2) {
  (void)user;
  printf("panel event %s %s %s\n", name, p1, p2);
  fflush(stdout);
}

/* The window's pixels, children included, as a PNG file. */
static int save_screenshot(Display* display, Window window, int width, int height, const char* path) {
  XImage* image = XGetImage(display, window, 0, 0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
  if (!image) return 0;
  cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  unsigned char* data = cairo_image_surface_get_data(png);
  const int stride = cairo_image_surface_get_stride(png);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      const unsigned red = (unsigned)((pixel & image->red_mask) >> 16);
      const unsigned green = (unsigned)((pixel & image->green_mask) >> 8);
      const unsigned blue = (unsigned)(pixel & image->blue_mask);
      *(unsigned*)(data + y * stride + x * 4) = (red << 16) | (green << 8) | blue;
    }
  cairo_surface_mark_dirty(png);
  const int ok = cairo_surface_write_to_png(png, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(png);
  XDestroyImage(image);
  return ok;
}

int main(int argc, char** argv) {
  const char* project = NULL;
  const char* screenshot = NULL;
  double seconds = 0;
  int width = 800, height = 600;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = atof(argv[++i]);
    else if (!strcmp(argv[i], "--size") && i + 1 < argc) sscanf(argv[++i], "%dx%d", &width, &height);
    else if (!strcmp(argv[i], "--screenshot") && i + 1 < argc) screenshot = argv[++i];
    else if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) return printf("%s", kUsage), 0;
    else if (argv[i][0] == '-' || project) return fprintf(stderr, "%s", kUsage), 2;
    else project = argv[i];
  }
  if (!project) return fprintf(stderr, "%s", kUsage), 2;
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "embed_x11: no X display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, (unsigned)width,
                                      (unsigned)height, 0, BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "Embedded panel");
  Atom close_atom = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &close_atom, 1);
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  XSync(display, False);

  vb_ctrl* ctrl = vb_ctrl_create();
  vb_ctrl_set_panel_event_handler(ctrl, print_event, NULL);
  vb_ctrl_set_run_mode(ctrl, 1);
  vb_ctrl_set_file_name(ctrl, project); /* opened with the window */
  int status = 0;
  if (!vb_ctrl_create_window(ctrl, window, width, height)) {
    char* error = vb_ctrl_get_last_error(ctrl);
    fprintf(stderr, "embed_x11: %s\n", error);
    vb_string_free(error);
    status = 1;
  }
  int running = !status;
  for (int elapsed = 0; running && (seconds <= 0 || elapsed < seconds * 1000); elapsed += 50) {
    running = vb_ctrl_pump(ctrl, 50);
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == close_atom) running = 0;
      if (event.type == ConfigureNotify) vb_ctrl_resize(ctrl, event.xconfigure.width, event.xconfigure.height);
    }
  }
  if (screenshot && !status && !save_screenshot(display, window, width, height, screenshot)) status = 1;
  vb_ctrl_destroy(ctrl);
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return status;
}
