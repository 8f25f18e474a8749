(function (WV) {
    'use strict';
    var ready = createWerkverbundCore().then(function (core) {
        WV.core = core;
        return WV.makeRunner(core);
    });
    window.werkverbund = {
        run: function (args, input, before) {
            return ready.then(function (runner) { return runner.run(args, input, before); });
        }
    };
})(window.WV);
