/* The panel browser control for any container that can load a shared library and call C:
 * libveltrixbrowser.so.
 *
 * Texts are UTF-8. Values cross as value literal texts: 12.5, "text" (with \" and \\ escapes),
 * T, F, c(1,2), c("a","b"), #2024/03/01 08:00:00#, #N/A#, #NOTHING# (the empty value).
 * Texts the library returns are the caller's, to free with vb_string_free.
 *
 * Every call comes from the thread that created the control (the container's user-interface
 * thread); a call from another thread fails without touching the control. Null pointers, bad
 * UTF-8 and malformed literals fail and leave a text for vb_ctrl_get_last_error. Functions
 * returning int give 1 for success and 0 for failure unless said otherwise. */
#ifndef VELTRIX_BROWSER_H
#define VELTRIX_BROWSER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vb_ctrl vb_ctrl;

/* A control in design mode, without a window; null when it cannot be made. */
vb_ctrl* vb_ctrl_create(void);
/* Closes its project and ends its threads; from inside a panel event handler, once the call
 * that raised the event has returned. */
void vb_ctrl_destroy(vb_ctrl* ctrl);

/* The container's user mode: 1 runs projects, 0 (design mode) stores and persists only. */
void vb_ctrl_set_run_mode(vb_ctrl* ctrl, int run);
/* The container document's address ("http://...", "file:///..."), for relative file names. */
void vb_ctrl_set_document_address(vb_ctrl* ctrl, const char* address);
/* Makes the control's window, once: a child of the X11 window parent, or, with parent 0, in
 * memory only (no display needed). In run mode opens the file name given before. */
int vb_ctrl_create_window(vb_ctrl* ctrl, unsigned long parent, int width, int height);
void vb_ctrl_resize(vb_ctrl* ctrl, int width, int height);

/* The two persistent properties. Setting the file name in run mode opens it (0 when that
 * fails); the current directory becomes the project's folder. */
int vb_ctrl_set_file_name(vb_ctrl* ctrl, const char* name);
char* vb_ctrl_get_file_name(vb_ctrl* ctrl);
int vb_ctrl_set_current_directory(vb_ctrl* ctrl, const char* folder);
char* vb_ctrl_get_current_directory(vb_ctrl* ctrl);

/* Opens the project (closing the open one). */
int vb_ctrl_open_file(vb_ctrl* ctrl, const char* name);

/* The site's policy for what the scripts of the projects opened from now on may do (a policy
   file as described in the README); 0, with the reason as the last error, when it is refused. */
int vb_ctrl_set_policy_file(vb_ctrl* ctrl, const char* path);
/* Runs a method of the open project: "::Name" for the root's, "Form.Object.Name" for an
 * object's; args (argc of them, at most 10) are value literals. The result as a literal,
 * "#NOTHING#" when it failed (see vb_ctrl_get_last_error). Functions returning a text give
 * null for a null, unknown or destroyed control and for a call from another thread. */
char* vb_ctrl_call_panel_method(vb_ctrl* ctrl, const char* name, int argc, const char* const* args);
char* vb_ctrl_get_last_error(vb_ctrl* ctrl);
void vb_ctrl_about_box(vb_ctrl* ctrl);

/* "PanelEvent": called from vb_ctrl_pump or a panel method call, on the container's thread,
 * with the event's name and its two values as literals; only while the control has a window. */
typedef void (*vb_panel_event_handler)(void* user, const char* name, const char* p1, const char* p2);
void vb_ctrl_set_panel_event_handler(vb_ctrl* ctrl, vb_panel_event_handler handler, void* user);

/* Runs the control's user-interface work (ticks, queued requests, window events, painting,
 * panel events) for up to that many milliseconds. 0 once the project has asked to shut down,
 * else 1. */
int vb_ctrl_pump(vb_ctrl* ctrl, int milliseconds);

/* The persistent properties as bytes (the README gives the layout): writes them when capacity
 * allows and returns the size they need. Loading gives 0, changing nothing, for bytes it
 * cannot read. */
size_t vb_ctrl_save_properties(vb_ctrl* ctrl, unsigned char* buffer, size_t capacity);
int vb_ctrl_load_properties(vb_ctrl* ctrl, const unsigned char* data, size_t size);

void vb_string_free(char* text);

/* Registration in the per-user registry store: 0 on success, 0x80040200 when the type
 * library fails, 0x80040201 when a class fails. Unregistering removes what registering wrote. */
int vb_register_server(void);
int vb_unregister_server(void);

#ifdef __cplusplus
}
#endif

#endif
