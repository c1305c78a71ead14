"""The panel browser control for Python programs, over libveltrixbrowser.so (ctypes only).

    from veltrix_browser import Control
    with Control() as control:
        control.on_panel_event = lambda name, p1, p2: print(name, p1, p2)
        control.run_mode = True
        control.create_window()                 # off-screen; or a parent X11 window id
        control.open_file("plant.xml")
        print(control.call_panel_method("::GetCurrentForm"))
        while control.pump(100):
            pass

Values cross as value literal texts: 12.5, '"text"', 'c(1,2)', '#2024/03/01 08:00:00#',
'#N/A#', '#NOTHING#'. literal() makes one from a Python value.
"""

import ctypes
import ctypes.util
import os

_EVENT = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p)


def _load(path=None):
    path = path or os.environ.get("VELTRIX_BROWSER_LIBRARY") or "libveltrixbrowser.so"
    lib = ctypes.CDLL(path)
    ctrl = ctypes.c_void_p
    text = ctypes.c_void_p  # returned texts are freed by vb_string_free
    for name, result, args in [
        ("vb_ctrl_create", ctrl, []),
        ("vb_ctrl_destroy", None, [ctrl]),
        ("vb_ctrl_set_run_mode", None, [ctrl, ctypes.c_int]),
        ("vb_ctrl_set_document_address", None, [ctrl, ctypes.c_char_p]),
        ("vb_ctrl_create_window", ctypes.c_int, [ctrl, ctypes.c_ulong, ctypes.c_int, ctypes.c_int]),
        ("vb_ctrl_resize", None, [ctrl, ctypes.c_int, ctypes.c_int]),
        ("vb_ctrl_set_file_name", ctypes.c_int, [ctrl, ctypes.c_char_p]),
        ("vb_ctrl_get_file_name", text, [ctrl]),
        ("vb_ctrl_set_current_directory", ctypes.c_int, [ctrl, ctypes.c_char_p]),
        ("vb_ctrl_get_current_directory", text, [ctrl]),
        ("vb_ctrl_open_file", ctypes.c_int, [ctrl, ctypes.c_char_p]),
        ("vb_ctrl_set_policy_file", ctypes.c_int, [ctrl, ctypes.c_char_p]),
        ("vb_ctrl_call_panel_method", text, [ctrl, ctypes.c_char_p, ctypes.c_int, ctypes.POINTER(ctypes.c_char_p)]),
        ("vb_ctrl_get_last_error", text, [ctrl]),
        ("vb_ctrl_about_box", None, [ctrl]),
        ("vb_ctrl_set_panel_event_handler", None, [ctrl, _EVENT, ctypes.c_void_p]),
        ("vb_ctrl_pump", ctypes.c_int, [ctrl, ctypes.c_int]),
        ("vb_ctrl_save_properties", ctypes.c_size_t, [ctrl, ctypes.c_char_p, ctypes.c_size_t]),
        ("vb_ctrl_load_properties", ctypes.c_int, [ctrl, ctypes.c_char_p, ctypes.c_size_t]),
        ("vb_string_free", None, [ctypes.c_void_p]),
        ("vb_register_server", ctypes.c_int, []),
        ("vb_unregister_server", ctypes.c_int, []),
    ]:
        function = getattr(lib, name)
        function.restype = result
        function.argtypes = args
    return lib


_lib = None


def library(path=None):
    """The loaded library; path (or $VELTRIX_BROWSER_LIBRARY) the first time only."""
    global _lib
    if _lib is None:
        _lib = _load(path)
    return _lib


def _take(pointer):
    if not pointer:
        return None
    try:
        return ctypes.string_at(pointer).decode("utf-8")
    finally:
        library().vb_string_free(pointer)


def literal(value):
    """The value literal of a Python value: None, bool, int, float, str, or a list of them."""
    if value is None:
        return "#NOTHING#"
    if isinstance(value, bool):
        return "T" if value else "F"
    if isinstance(value, (int, float)):
        return repr(value)
    if isinstance(value, str):
        return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
    if isinstance(value, (list, tuple)):
        return "c(" + ",".join(literal(item) for item in value) + ")"
    raise TypeError("no value literal for %r" % (value,))


def register_server():
    """0 on success, 0x80040200 or 0x80040201 on failure."""
    return library().vb_register_server() & 0xFFFFFFFF


def unregister_server():
    return library().vb_unregister_server() & 0xFFFFFFFF


class Control:
    """One control; every call from the thread that made it."""

    def __init__(self, library_path=None):
        self._lib = library(library_path)
        self._ctrl = self._lib.vb_ctrl_create()
        if not self._ctrl:
            raise RuntimeError("the control cannot be made")
        self.on_panel_event = None
        self._handler = _EVENT(self._panel_event)  # kept alive as long as the control
        self._lib.vb_ctrl_set_panel_event_handler(self._ctrl, self._handler, None)

    def _panel_event(self, _user, name, p1, p2):
        if self.on_panel_event:
            self.on_panel_event(name.decode("utf-8"), p1.decode("utf-8"), p2.decode("utf-8"))

    def close(self):
        if self._ctrl:
            self._lib.vb_ctrl_destroy(self._ctrl)
            self._ctrl = None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()

    @property
    def run_mode(self):
        raise AttributeError("run_mode can only be set")

    @run_mode.setter
    def run_mode(self, run):
        self._lib.vb_ctrl_set_run_mode(self._ctrl, 1 if run else 0)

    def set_document_address(self, address):
        self._lib.vb_ctrl_set_document_address(self._ctrl, address.encode("utf-8"))

    def create_window(self, parent=0, width=800, height=600):
        return self._lib.vb_ctrl_create_window(self._ctrl, parent, width, height) == 1

    def resize(self, width, height):
        self._lib.vb_ctrl_resize(self._ctrl, width, height)

    @property
    def file_name(self):
        return _take(self._lib.vb_ctrl_get_file_name(self._ctrl))

    @file_name.setter
    def file_name(self, name):
        self._lib.vb_ctrl_set_file_name(self._ctrl, name.encode("utf-8"))

    @property
    def current_directory(self):
        return _take(self._lib.vb_ctrl_get_current_directory(self._ctrl))

    @current_directory.setter
    def current_directory(self, folder):
        self._lib.vb_ctrl_set_current_directory(self._ctrl, folder.encode("utf-8"))

    def open_file(self, name):
        return self._lib.vb_ctrl_open_file(self._ctrl, name.encode("utf-8")) == 1

    def set_policy_file(self, path):
        """The site's policy for the projects opened from now on; False when it is refused."""
        return self._lib.vb_ctrl_set_policy_file(self._ctrl, path.encode("utf-8")) == 1

    def call_panel_method(self, name, *literals):
        """The result literal; the arguments are literals too (see literal())."""
        args = (ctypes.c_char_p * max(len(literals), 1))(*[text.encode("utf-8") for text in literals])
        return _take(self._lib.vb_ctrl_call_panel_method(self._ctrl, name.encode("utf-8"), len(literals), args))

    def last_error(self):
        return _take(self._lib.vb_ctrl_get_last_error(self._ctrl))

    def about_box(self):
        self._lib.vb_ctrl_about_box(self._ctrl)

    def pump(self, milliseconds):
        """False once the project has asked to shut down."""
        return self._lib.vb_ctrl_pump(self._ctrl, milliseconds) == 1

    def save_properties(self):
        size = self._lib.vb_ctrl_save_properties(self._ctrl, None, 0)
        buffer = ctypes.create_string_buffer(size)
        self._lib.vb_ctrl_save_properties(self._ctrl, buffer, size)
        return buffer.raw[:size]

    def load_properties(self, data):
        return self._lib.vb_ctrl_load_properties(self._ctrl, data, len(data)) == 1
