// Work done in steps, each a task of its own, so that no step holds the page long and the browser can answer a tap
// or draw a frame between them.

// Runs the steps one after the other, each given the value of the one before. Gives a promise of the last one's
// value; a step that throws rejects it, and the steps after it do not run.
export function inSteps(steps) {
    return steps.reduce(function (done, step) {
        return done.then(function (value) {
            return new Promise(function (resolve, reject) {
                var run = function () {
                    try {
                        resolve(step(value));
                    } catch (e) {
                        reject(e);
                    }
                };
                if (globalThis.scheduler && scheduler.postTask) return scheduler.postTask(run, { priority: 'user-blocking' });
                var channel = new MessageChannel();
                channel.port1.onmessage = run;
                channel.port2.postMessage(null);
            });
        });
    }, Promise.resolve());
}
