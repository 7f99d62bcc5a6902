// The native scenarios' hands on a headless GNOME Shell (43-44), over D-Bus
// at org.gnome.Shell /org/tavrenne/TestDriver: a virtual pointer of a
// Clutter seat, where the pointer and the windows are, windows moved and
// closed where a scenario wants, screenshots, and the overview hidden so
// that the windows are on the screen. (Keys go through Xwayland's XTest.)
/* exported init enable disable */
const {Clutter, Gio, GLib, Meta, Shell} = imports.gi;
const Main = imports.ui.main;

const INTERFACE_XML = `<node>
  <interface name="org.tavrenne.TestDriver">
    <method name="Ready"><arg type="b" direction="out"/></method>
    <method name="MovePointer"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
    <method name="Pointer"><arg type="i" direction="out"/><arg type="i" direction="out"/>
      <arg type="u" direction="out"/></method>
    <method name="Button"><arg type="b" direction="in" name="pressed"/></method>
    <method name="Windows"><arg type="a(usiiiib)" direction="out"/></method>
    <method name="Place"><arg type="u" direction="in" name="pid"/><arg type="i" direction="in" name="x"/>
      <arg type="i" direction="in" name="y"/><arg type="i" direction="in" name="width"/>
      <arg type="i" direction="in" name="height"/></method>
    <method name="Close"><arg type="u" direction="in" name="pid"/></method>
    <method name="Screenshot"><arg type="s" direction="in" name="path"/></method>
  </interface>
</node>`;

let service = null;
let pointer = null;
let startup = 0;

function now() {
    return GLib.get_monotonic_time();
}

// Every window shown on the active workspace, bottom to top: pid, window
// class, frame rectangle, and whether it is an X11 one.
function windows() {
    return global.get_window_actors().map(actor => actor.meta_window).filter(w => w.showing_on_its_workspace())
        .map(w => {
            const r = w.get_frame_rect();
            return [Math.max(w.get_pid(), 0), w.get_wm_class() ?? '', r.x, r.y, r.width, r.height,
                w.get_client_type() === Meta.WindowClientType.X11];
        });
}

function windowOf(pid) {
    const window = global.get_window_actors().map(actor => actor.meta_window)
        .find(w => w.get_pid() === pid);
    if (!window)
        throw new Error(`no window of process ${pid}`);
    return window;
}

const driver = {
    Ready: () => !Main.layoutManager._startingUp && !Main.overview.visible,
    MovePointer: (x, y) => pointer.notify_absolute_motion(now(), x, y),
    Pointer: () => global.get_pointer(),
    Button: pressed => pointer.notify_button(now(), Clutter.BUTTON_PRIMARY,
        pressed ? Clutter.ButtonState.PRESSED : Clutter.ButtonState.RELEASED),
    Windows: () => windows(),
    // The whole screen as the shell draws it, to a PNG file.
    ScreenshotAsync: ([path], invocation) => {
        const stream = Gio.File.new_for_path(path).replace(null, false, Gio.FileCreateFlags.NONE, null);
        new Shell.Screenshot().screenshot(false, stream, (screenshot, result) => {
            try {
                screenshot.screenshot_finish(result);
                stream.close(null);
                invocation.return_value(null);
            } catch (error) {
                invocation.return_dbus_error('org.tavrenne.TestDriver.Error', error.message);
            }
        });
    },
    Place: (pid, x, y, width, height) => {
        const window = windowOf(pid);
        // A size of 0 keeps the window's own (an X11 terminal's is a
        // number of character cells).
        const rect = window.get_frame_rect();
        window.move_resize_frame(true, x, y, width || rect.width, height || rect.height);
    },
    // As the title bar's close button does.
    Close: pid => windowOf(pid).delete(global.get_current_time()),
};

function init() {
}

function enable() {
    const seat = Clutter.get_default_backend().get_default_seat();
    pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
    Main.overview.hide();
    startup = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
    service = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, driver);
    service.export(Gio.DBus.session, '/org/tavrenne/TestDriver');
}

function disable() {
    service.unexport();
    Main.layoutManager.disconnect(startup);
    pointer = service = null;
}
