// Our GNOME Shell extension for GNOME 43 and 44 (the shell's own imports):
// tells the White Arrow whose window is under the pointer. The logic,
// whitearrow.js, is an ES module, loaded with import().
/* exported init enable disable */
const {Meta, Shell} = imports.gi;
const ExtensionUtils = imports.misc.extensionUtils;

let service = null;
// Counts enable() and disable() calls, so that a module that arrives after
// a disable() exports nothing.
let generation = 0;

function init() {
}

function enable() {
    const mine = ++generation;
    const logic = ExtensionUtils.getCurrentExtension().dir.get_child('whitearrow.js').get_uri();
    import(logic).then(module => {
        if (mine === generation)
            service = module.exportService({global, Meta, Shell});
    }).catch(error => logError(error, 'Tavrenne White Arrow'));
}

function disable() {
    ++generation;
    service?.unexport();
    service = null;
}
