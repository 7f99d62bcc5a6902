// Our GNOME Shell extension for GNOME 45 and later (ES modules): tells the
// White Arrow whose window is under the pointer (the logic: whitearrow.js).
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {exportService} from './whitearrow.js';

export default class WhiteArrowExtension extends Extension {
    enable() {
        this._service = exportService({global, Meta, Shell});
    }

    disable() {
        this._service?.unexport();
        this._service = null;
    }
}
