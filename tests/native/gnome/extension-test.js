// Our GNOME Shell extension's 45+ flavour, loaded and called under gjs with
// stand-ins for the shell: its Extension base class (a resource of ours at
// the shell's own path), `global` with window actors, and the window
// tracker. Run under a D-Bus session: gjs -m extension-test.js EXTENSION_DIR
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import System from 'system';

const [extensionDir] = System.programArgs;
let failures = 0;
function check(what, got, want) {
    if (JSON.stringify(got) !== JSON.stringify(want)) {
        printerr(`FAIL ${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
        failures++;
    }
}

// The shell's resource:///org/gnome/shell/extensions/extension.js, as a
// resource of ours registered under the same path.
function registerExtensionBaseClass() {
    const dir = GLib.dir_make_tmp('whitearrow-XXXXXX');
    GLib.file_set_contents(`${dir}/extension.js`,
        'export class Extension { constructor(metadata) { this.metadata = metadata; } }\n');
    GLib.file_set_contents(`${dir}/shell.gresource.xml`, `<gresources>
  <gresource prefix="/org/gnome/shell/extensions"><file>extension.js</file></gresource>
</gresources>`);
    const [ok, , err, status] = GLib.spawn_sync(dir, ['glib-compile-resources', 'shell.gresource.xml'],
        null, GLib.SpawnFlags.SEARCH_PATH, null);
    if (!ok || status !== 0)
        throw new Error(`glib-compile-resources failed: ${new TextDecoder().decode(err)}`);
    Gio.resources_register(Gio.Resource.load(`${dir}/shell.gresource`));
    for (const file of ['extension.js', 'shell.gresource.xml', 'shell.gresource'])
        GLib.unlink(`${dir}/${file}`);
    GLib.rmdir(dir);
}

// A window actor: a frame rectangle, a process, a program, and what the
// shell says of its showing.
const workspace = {name: 'active'};
const otherWorkspace = {name: 'other'};
function actor({x, y, width = 100, height = 100, pid, appId = '', windowBacked = false, gtkId = null,
    wmClass = null, x11 = false, type = Meta.WindowType.NORMAL, showing = true, visible = true,
    on = workspace}) {
    const window = {
        app: {get_id: () => appId, is_window_backed: () => windowBacked},
        get_frame_rect: () => ({x, y, width, height}),
        get_pid: () => pid,
        get_window_type: () => type,
        get_client_type: () => x11 ? Meta.WindowClientType.X11 : Meta.WindowClientType.WAYLAND,
        showing_on_its_workspace: () => showing,
        is_on_all_workspaces: () => on === null,
        get_workspace: () => on,
        get_gtk_application_id: () => gtkId,
        get_wm_class: () => wmClass,
        get_title: () => { throw new Error('the title was asked for'); },
    };
    return {meta_window: window, visible};
}

let pointer = [0, 0];
let actors = [];
globalThis.global = {
    get_pointer: () => [...pointer, 0],
    get_window_actors: () => actors,
    workspace_manager: {get_active_workspace: () => workspace},
};
Shell.WindowTracker.get_default = () => ({get_window_app: window => window.app});

function call(method) {
    return new Promise(resolve => {
        Gio.DBus.session.call(Gio.DBus.session.get_unique_name(), '/org/tavrenne/WhiteArrow',
            'org.tavrenne.WhiteArrow', method, null, null, Gio.DBusCallFlags.NONE, 1000, null,
            (connection, result) => {
                try {
                    resolve(connection.call_finish(result).deepUnpack());
                } catch (error) {
                    resolve(error.message);
                }
            });
    });
}

async function main() {
    registerExtensionBaseClass();
    const {default: WhiteArrowExtension} = await import(`file://${extensionDir}/extension.js`);
    const metadata = JSON.parse(new TextDecoder().decode(GLib.file_get_contents(`${extensionDir}/metadata.json`)[1]));
    check('the 45+ flavour lists GNOME 45 to 49', metadata['shell-version'], ['45', '46', '47', '48', '49']);
    const extension = new WhiteArrowExtension(metadata);
    extension.enable();
    const shellPid = new Gio.Credentials().get_unix_pid();

    // xterm (X11) at the bottom, foot (native) over part of it, a
    // minimised window and one of another workspace over both.
    const xterm = actor({x: 0, y: 0, width: 300, height: 200, pid: 100, appId: 'xterm.desktop', x11: true});
    const foot = actor({x: 200, y: 100, pid: 200, appId: 'org.codeberg.dnkl.foot.desktop'});
    actors = [xterm, foot,
        actor({x: 0, y: 0, width: 1024, height: 768, pid: 300, appId: 'minimised', showing: false}),
        actor({x: 0, y: 0, width: 1024, height: 768, pid: 301, appId: 'elsewhere', on: otherWorkspace}),
        actor({x: 0, y: 0, width: 1024, height: 768, pid: 302, appId: 'hidden', visible: false})];
    pointer = [250, 150];
    check('the window on top of the stack', await call('WindowAtPointer'),
        ['wayland', 200, 'org.codeberg.dnkl.foot', 250, 150]);
    pointer = [299, 199];
    check('the window on top, at its last pixel', await call('WindowAtPointer'),
        ['wayland', 200, 'org.codeberg.dnkl.foot', 299, 199]);
    pointer = [199, 150];
    check('an X11 window beside the native one', await call('WindowAtPointer'),
        ['x11', 100, 'xterm', 199, 150]);
    pointer = [300, 50];
    check('the pointer outside every window', await call('WindowAtPointer'), ['none', 0, '', 300, 50]);

    // The shell's own dock and desktop windows are the desktop; a
    // program's are its own. A window on every workspace counts.
    actors = [actor({x: 0, y: 0, width: 1024, height: 768, pid: 400, appId: 'icons.desktop', type: Meta.WindowType.DESKTOP}),
        actor({x: 0, y: 0, width: 1024, height: 30, pid: shellPid, type: Meta.WindowType.DOCK, on: null}),
        actor({x: 0, y: 700, width: 1024, height: 68, pid: 500, type: Meta.WindowType.DOCK, on: null,
            windowBacked: true, appId: 'window:3', gtkId: null, wmClass: 'Dockbar'})];
    pointer = [10, 10];
    check("the shell's own dock", await call('WindowAtPointer'), ['wayland', 400, 'icons', 10, 10]);
    pointer = [10, 710];
    check("a program's dock, known by its window class", await call('WindowAtPointer'),
        ['wayland', 500, 'Dockbar', 10, 710]);
    actors = [actor({x: 0, y: 0, pid: -1, windowBacked: true, appId: 'window:9', gtkId: 'org.example.Tool'})];
    pointer = [5, 5];
    check('an unknown process and the GTK application id', await call('WindowAtPointer'),
        ['wayland', 0, 'org.example.Tool', 5, 5]);

    extension.disable();
    const afterDisable = await call('WindowAtPointer');
    check('no method once disabled', /UnknownMethod|No such interface|Unknown method|does not exist/.test(afterDisable), true);
}

const loop = new GLib.MainLoop(null, false);
main().catch(error => {
    printerr(`FAIL: ${error}\n${error.stack}`);
    failures++;
}).finally(() => loop.quit());
loop.run();
if (failures)
    System.exit(1);
print('the extension answered every case');
