// The White Arrow's question to GNOME Shell, shared by both flavours of our
// extension: whose window is under the pointer, answered over D-Bus.
import Gio from 'gi://Gio';

export const OBJECT_PATH = '/org/tavrenne/WhiteArrow';
export const INTERFACE_NAME = 'org.tavrenne.WhiteArrow';

// kind is "wayland" (a native window), "x11" (a window of Xwayland's) or
// "none" (the background or the shell's own surfaces); pid is 0 when the
// window's program is unknown; x, y are the pointer's position in the
// shell's layout. A window's title is never told: titles carry documents'
// names.
const INTERFACE_XML = `<node>
  <interface name="${INTERFACE_NAME}">
    <method name="WindowAtPointer">
      <arg type="s" name="kind" direction="out"/>
      <arg type="u" name="pid" direction="out"/>
      <arg type="s" name="app_id" direction="out"/>
      <arg type="i" name="x" direction="out"/>
      <arg type="i" name="y" direction="out"/>
    </method>
  </interface>
</node>`;

function contains(rect, x, y) {
    return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

// The desktop entry's name of a window's program (without ".desktop"),
// else what the window says of itself.
function appIdOf(window, Shell) {
    const app = Shell.WindowTracker.get_default().get_window_app(window);
    // A window the tracker matched to no desktop entry has an app of its own
    // named "window:N", which names nothing installed.
    if (app && !app.is_window_backed()) {
        const id = app.get_id() ?? '';
        if (id)
            return id.endsWith('.desktop') ? id.slice(0, -'.desktop'.length) : id;
    }
    return window.get_gtk_application_id() || window.get_wm_class() || '';
}

// The topmost showing window under the pointer: window actors come bottom
// to top. Desktop and dock windows of the shell's own process are the
// desktop itself; a program's panel or desktop window stays that
// program's.
export function windowAtPointer({global, Meta, Shell, shellPid}) {
    const [x, y] = global.get_pointer();
    const workspace = global.workspace_manager.get_active_workspace();
    const actors = global.get_window_actors();
    for (let i = actors.length - 1; i >= 0; i--) {
        const window = actors[i].meta_window;
        if (!window || !actors[i].visible || !window.showing_on_its_workspace())
            continue;
        if (!window.is_on_all_workspaces() && window.get_workspace() !== workspace)
            continue;
        if (!contains(window.get_frame_rect(), x, y))
            continue;
        const pid = window.get_pid();
        const type = window.get_window_type();
        if (pid === shellPid && (type === Meta.WindowType.DESKTOP || type === Meta.WindowType.DOCK))
            continue;
        const x11 = window.get_client_type() === Meta.WindowClientType.X11;
        return [x11 ? 'x11' : 'wayland', pid > 0 ? pid : 0, appIdOf(window, Shell), x, y];
    }
    return ['none', 0, '', x, y];
}

// Exports the method on the shell's own session bus connection (so it is
// called at org.gnome.Shell); returns what takes it back.
export function exportService({global, Meta, Shell}) {
    const shellPid = new Gio.Credentials().get_unix_pid();
    const service = Gio.DBusExportedObject.wrapJSObject(INTERFACE_XML, {
        WindowAtPointer: () => windowAtPointer({global, Meta, Shell, shellPid}),
    });
    service.export(Gio.DBus.session, OBJECT_PATH);
    return {unexport: () => service.unexport()};
}
