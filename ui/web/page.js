// The emscripten library of the browser binding: what C++ calls (ui/web/page.h), each entry thin.
// It converts between the program's memory and JavaScript's values and calls the page's DOM code,
// VelmoraDom (ui/web/page/, loaded by index.html before the program), with what that may ask of
// the program.
//
// Emscripten 3.1.6 prints this library as text: each entry is `name: function` (it names the
// function by rewriting its first `function`), and a member of $VelmoraPage holds functions and
// what JSON can print, nothing else (no promise, no regular expression). Its optimizer's parser
// rejects destructuring in a `for ... of` head.

mergeInto(LibraryManager.library, {
    $VelmoraPage__deps: ['malloc'],
    $VelmoraPage: {
        // Strings cross as UTF-16 code units, copied by hand: C++ holds them as std::u16string,
        // as the desktop's QString does, and emscripten's UTF16ToString stops at U+0000 and
        // (through TextDecoder) turns a lone surrogate into U+FFFD. A pasted text crosses whole.
        string: function(pointer, length) {
            const units = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
            const parts = [];
            for (let i = 0; i < units.length; i += 8192)
                parts.push(String.fromCharCode(...units.subarray(i, i + 8192)));
            return parts.join('');
        },
        // Hands a string to C++, which frees it.
        give: function(text, out) {
            const pointer = _malloc(Math.max(2, text.length * 2));
            for (let i = 0; i < text.length; ++i)
                HEAPU16[(pointer >> 1) + i] = text.charCodeAt(i);
            HEAP32[out >> 2] = pointer;
            return text.length;
        },
        // What the page may ask of the program. A click runs as an async ccall: its promise
        // settles when the handler ends, also after it slept through Asyncify. One that fails in
        // JavaScript leaves its frames on the stack: it is taken back to where the click began.
        program: function() {
            return {
                click: (element) => {
                    const stack = stackSave();
                    return new Promise((settled) =>
                        settled(ccall('velmora_click', null, ['number'], [element], {async: true})))
                        .catch((error) => {
                            stackRestore(stack);
                            throw error;
                        });
                },
                accepting: () => Module['_velmora_accepting']() !== 0,
                recover: () => Module['_velmora_recover'](),
                textColour: (background, text) =>
                    Module['_velmora_readable_text_colour'](background, text),
            };
        },
    },
});

// Each entry needs $VelmoraPage: autoAddDeps adds it to all.
const VelmoraNative = {
    velmora_window: function(name, nameLength, caption, captionLength, width, height) {
        VelmoraDom.start(VelmoraPage.program());
        return VelmoraDom.openWindow(VelmoraPage.string(name, nameLength),
            VelmoraPage.string(caption, captionLength), width, height);
    },
    velmora_menu_item: function(windowId, name, nameLength, caption, captionLength, shortcut,
        shortcutLength) {
        return VelmoraDom.menuItem(windowId, VelmoraPage.string(name, nameLength),
            VelmoraPage.string(caption, captionLength), VelmoraPage.string(shortcut, shortcutLength));
    },
    velmora_control: function(windowId, kind, kindLength, name, nameLength, caption,
        captionLength, left, top, width, height, focusable, centred) {
        return VelmoraDom.control(windowId, VelmoraPage.string(kind, kindLength),
            VelmoraPage.string(name, nameLength), VelmoraPage.string(caption, captionLength), left,
            top, width, height, focusable, centred);
    },
    velmora_describe: function(control, prompt, names) {
        VelmoraDom.describe(control, prompt, names);
    },
    velmora_set_line: function(element, line, place) {
        VelmoraDom.setLine(element, line, place);
    },
    velmora_set_font: function(element, families, familiesLength, points, bold) {
        VelmoraDom.setFont(element, VelmoraPage.string(families, familiesLength), points, bold);
    },
    velmora_set_caption: function(element, caption, length) {
        VelmoraDom.setCaption(element, VelmoraPage.string(caption, length));
    },
    velmora_say: function(windowId, text, length) {
        VelmoraDom.say(windowId, VelmoraPage.string(text, length));
    },
    velmora_caption: function(element, out) {
        return VelmoraPage.give(VelmoraDom.caption(element), out);
    },
    velmora_set_text: function(element, text, length) {
        VelmoraDom.setText(element, VelmoraPage.string(text, length));
    },
    velmora_text: function(element, out) {
        return VelmoraPage.give(VelmoraDom.text(element), out);
    },
    velmora_set_visible: function(element, visible) {
        VelmoraDom.setVisible(element, visible);
    },
    velmora_is_visible: function(element) {
        return VelmoraDom.isVisible(element) ? 1 : 0;
    },
    velmora_set_background: function(element, rgb) {
        VelmoraDom.setBackground(element, rgb);
    },
    velmora_background: function(element) {
        return VelmoraDom.background(element);
    },
    velmora_is_ticked: function(element) {
        return VelmoraDom.isTicked(element) ? 1 : 0;
    },
    velmora_full_pixel_size: function(element) {
        return VelmoraDom.fullPixelSize(element);
    },
    velmora_fits: function(element, pixelSize, stretch) {
        return VelmoraDom.fits(element, pixelSize, stretch) ? 1 : 0;
    },
    velmora_set_fit: function(element, pixelSize, stretch, shrunk) {
        VelmoraDom.setFit(element, pixelSize, stretch, shrunk);
    },
    velmora_show_window: function(windowId) {
        VelmoraDom.showWindow(windowId);
    },
    velmora_hide_window: function(windowId) {
        VelmoraDom.setVisible(windowId, false);
    },
    velmora_window_visible: function(windowId) {
        return VelmoraDom.isVisible(windowId) ? 1 : 0;
    },
    // The handler sleeps through Asyncify until the box is answered, as a desktop handler waits
    // in its box's event loop.
    velmora_message__deps: ['$Asyncify'],
    velmora_message: function(windowId, title, titleLength, text, textLength) {
        return Asyncify.handleAsync(() => VelmoraDom.ask(windowId,
            VelmoraPage.string(title, titleLength), VelmoraPage.string(text, textLength), false));
    },
    velmora_input__deps: ['$Asyncify'],
    velmora_input: function(windowId, title, titleLength, prompt, promptLength, out) {
        return Asyncify.handleAsync(() => VelmoraDom.ask(windowId,
            VelmoraPage.string(title, titleLength), VelmoraPage.string(prompt, promptLength), true)
            .then((answer) => VelmoraPage.give(answer, out)));
    },
    // The Clipboard API answers later: the handler sleeps through Asyncify meanwhile.
    velmora_clipboard_text__deps: ['$Asyncify'],
    velmora_clipboard_text: function(out) {
        return Asyncify.handleAsync(() => VelmoraDom.clipboardText()
            .then((text) => VelmoraPage.give(text, out)));
    },
    velmora_end_program: function() {
        VelmoraDom.end();
    },
};
autoAddDeps(VelmoraNative, '$VelmoraPage');
mergeInto(LibraryManager.library, VelmoraNative);
