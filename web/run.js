// Runs the whole console program in the WebAssembly core, each time in a fresh folder: the
// arguments, standard input and the files already there go in; the console text, the exit status
// and every file of the folder come out. Text is handled as bytes, one character per byte.
(function (WV) {
    'use strict';

    WV.bytesOf = function (text) {
        if (text instanceof Uint8Array) return text;
        var bytes = new Uint8Array(text.length);
        for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 0xff;
        return bytes;
    };

    WV.textOf = function (bytes) {
        var parts = [];
        for (var i = 0; i < bytes.length; i += 8192) {
            parts.push(String.fromCharCode.apply(null, bytes.subarray(i, i + 8192)));
        }
        return parts.join('');
    };

    WV.makeRunner = function (core) {
        var FS = core.FS;
        var runCount = 0;
        FS.mkdir('/runs');

        // Copies the bytes into the core's memory with a closing zero; the caller frees them.
        function copyIn(bytes) {
            var at = core._malloc(bytes.length + 1);
            core.HEAPU8.set(bytes, at);
            core.HEAPU8[at + bytes.length] = 0;
            return at;
        }

        function removeTree(path) {
            FS.readdir(path).forEach(function (name) {
                if (name === '.' || name === '..') return;
                var inner = path + '/' + name;
                if (FS.isDir(FS.stat(inner).mode)) removeTree(inner);
                else FS.unlink(inner);
            });
            FS.rmdir(path);
        }

        function consoleText(at, length) {
            return at ? WV.textOf(core.HEAPU8.subarray(at, at + length)) : '';
        }

        function run(args, input, before) {
            var folder = '/runs/' + ++runCount;
            FS.mkdir(folder);
            FS.chdir(folder);
            before = before || {};
            (before.dirs || []).forEach(function (name) { FS.mkdir(name); });
            Object.keys(before.files || {}).forEach(function (name) {
                FS.writeFile(name, WV.bytesOf(before.files[name]));
            });

            var strings = ['werkverbund'].concat(args || []).map(function (a) { return copyIn(WV.bytesOf(a)); });
            var argv = core._malloc(4 * strings.length);
            strings.forEach(function (at, i) { core.HEAP32[(argv >> 2) + i] = at; });
            var stdin = WV.bytesOf(input || '');
            var inputAt = copyIn(stdin);
            var status;
            try {
                status = core._wv_run(strings.length, argv, inputAt, stdin.length);
            } finally {
                strings.concat([argv, inputAt]).forEach(function (at) { core._free(at); });
                FS.chdir('/');
            }
            var result = {
                status: status,
                stdout: consoleText(core._wv_out(), core._wv_outLength()),
                stderr: consoleText(core._wv_err(), core._wv_errLength()),
                files: {}
            };
            FS.readdir(folder).sort().forEach(function (name) {
                var path = folder + '/' + name;
                if (FS.isFile(FS.stat(path).mode)) result.files[name] = FS.readFile(path);
            });
            removeTree(folder);
            return result;
        }

        return { run: run };
    };
})(typeof globalThis.WV === 'object' ? globalThis.WV : (globalThis.WV = {}));
