// Loads the core's WebAssembly and gives it as run.js uses it: its functions by their C names with a leading _
// (_wv_run, _malloc, ...), its memory as bytes and as 32-bit words, and UTF8ToString. The page carries the core
// deflated and inlined as base64 text (the data block #werkverbund-core, written by build/core.js).

// The core's bytes from base64 text, by the browser's own decoder where it has one.
export function bytesOfBase64(text) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text);
    var binary = atob(text);
    var bytes = new Uint8Array(binary.length);
    for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    return bytes;
}

// What the core imports of its host: memory grown and large blocks copied, as its C library asks. It reads no
// file and writes to no stream of the host (its folder and console are in its memory), so any other import
// called is a fault, said by name rather than passed over.
function importsOf(module, memory) {
    var given = {
        emscripten_resize_heap: function (size) {
            try {
                memory().grow(Math.ceil(((size >>> 0) - memory().buffer.byteLength) / 65536));
                return 1;
            } catch (e) {
                return 0;   // the allocation fails as in any C program out of memory
            }
        },
        emscripten_memcpy_big: function (to, from, length) {
            new Uint8Array(memory().buffer).copyWithin(to, from, from + length);
        }
    };
    var imports = {};
    WebAssembly.Module.imports(module).forEach(function (i) {
        imports[i.module] = imports[i.module] || {};
        imports[i.module][i.name] = given[i.name] || function () {
            throw new Error('werkverbund: der Kern ruft ' + i.name + ', das die Seite nicht hat');
        };
    });
    return imports;
}

// The core as run.js takes it, from the instance's exports. The views of memory are made anew once it has grown.
function coreOf(exports) {
    var memory = exports.memory, u8 = null, i32 = null;
    var core = {
        get HEAPU8() {
            if (!u8 || u8.buffer !== memory.buffer) u8 = new Uint8Array(memory.buffer);
            return u8;
        },
        get HEAP32() {
            if (!i32 || i32.buffer !== memory.buffer) i32 = new Int32Array(memory.buffer);
            return i32;
        },
        UTF8ToString: function (at) {
            var bytes = core.HEAPU8;
            return at ? new TextDecoder().decode(bytes.subarray(at, bytes.indexOf(0, at))) : '';
        }
    };
    Object.keys(exports).forEach(function (name) {
        if (typeof exports[name] === 'function') core['_' + name] = exports[name];
    });
    return core;
}

// Gives a promise of the core made from its bytes, started. The module is compiled at once: the browser compiles
// each function when it is first called, so this costs little more than checking the module, where a compile in
// the background waits for a free processor on a busy machine.
export function loadCore(bytes) {
    var exports = null;
    return new Promise(function (resolve) { resolve(new WebAssembly.Module(bytes)); }).then(function (module) {
        return WebAssembly.instantiate(module, importsOf(module, function () { return exports.memory; }));
    }).then(function (instance) {
        exports = instance.exports;
        exports.__wasm_call_ctors();
        return coreOf(exports);
    });
}

// Gives a promise of the bytes that deflated bytes (the zlib format) stand for, inflated by the browser, which
// checks their sum. A browser without DecompressionStream (before 2023 in Firefox and Safari) cannot start the page
// and says so.
export function inflate(bytes) {
    if (typeof DecompressionStream !== 'function') {
        throw new Error('dieser Browser kann den Kern der Seite nicht entpacken (ihm fehlt DecompressionStream); '
            + 'ein Browser ab 2023 kann es');
    }
    // written straight into the stream: read from a Blob, the bytes would go round the browser's storage of blobs
    var inflater = new DecompressionStream('deflate');
    var writer = inflater.writable.getWriter();
    Promise.all([writer.write(bytes), writer.close()]).catch(function () {});   // a failure comes out of the reading
    return new Response(inflater.readable).arrayBuffer();
}

// The page's core, from its text in the page.
export function loadPageCore() {
    var block = document.getElementById('werkverbund-core');
    var text = block && block.textContent;
    if (block) block.remove();   // the text is not needed once it is bytes
    return Promise.resolve().then(function () {
        if (typeof text !== 'string') throw new Error('der Kern fehlt in der Seite');
        return inflate(bytesOfBase64(text));
    }).then(loadCore);
}
