// The native scenarios' hands on a headless GNOME Shell (43-44), over D-Bus
// at org.gnome.Shell /org/tavrenne/TestDriver: a virtual pointer and
// keyboard of a Clutter seat, where the pointer and the windows are, and the
// overview hidden so that the windows are on the screen.
/* exported init enable disable */
const {Clutter, Gio, GLib, Meta} = imports.gi;
const Main = imports.ui.main;

const INTERFACE_XML = `<node>
  <interface name="org.tavrenne.TestDriver">
    <method name="Ready"><arg type="b" direction="out"/></method>
    <method name="MovePointer"><arg type="i" direction="in"/><arg type="i" direction="in"/></method>
    <method name="Pointer"><arg type="i" direction="out"/><arg type="i" direction="out"/>
      <arg type="u" direction="out"/></method>
    <method name="Button"><arg type="b" direction="in" name="pressed"/></method>
    <method name="Key"><arg type="u" direction="in" name="keyval"/></method>
    <method name="Windows"><arg type="a(usiiiib)" direction="out"/></method>
  </interface>
</node>`;

const BTN_LEFT = 0x110;
let service = null;
let pointer = null;
let keyboard = null;
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

const driver = {
    Ready: () => !Main.layoutManager._startingUp && !Main.overview.visible,
    MovePointer: (x, y) => pointer.notify_absolute_motion(now(), x, y),
    Pointer: () => global.get_pointer(),
    Button: pressed => pointer.notify_button(now(), BTN_LEFT,
        pressed ? Clutter.ButtonState.PRESSED : Clutter.ButtonState.RELEASED),
    Key: keyval => {
        keyboard.notify_keyval(now(), keyval, Clutter.KeyState.PRESSED);
        keyboard.notify_keyval(now(), keyval, Clutter.KeyState.RELEASED);
    },
    Windows: () => windows(),
};

function init() {
}

function enable() {
    const seat = Clutter.get_default_backend().get_default_seat();
    pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
    keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
    Main.overview.hide();
    startup = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
    service = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, driver);
    service.export(Gio.DBus.session, '/org/tavrenne/TestDriver');
}

function disable() {
    service.unexport();
    Main.layoutManager.disconnect(startup);
    pointer = keyboard = service = null;
}
