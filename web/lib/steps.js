// Work done in steps, so that no task holds the page long and the browser can answer a tap or draw a frame between
// them: a step runs in the task of the one before while that has taken less than its budget, in a task of its own
// after. A fast machine runs the steps at once, a slow phone one after the other.

// Milliseconds of a task before the next step waits for a task of its own: a tenth of what counts as a long one, so
// that a step of up to 40 ms on a slow phone still ends its task below that.
var BUDGET = 5;

// Runs fn in a task of its own, before other work waiting where the browser can tell.
function later(fn) {
    if (globalThis.scheduler && scheduler.postTask) return scheduler.postTask(fn, { priority: 'user-blocking' });
    var channel = new MessageChannel();
    channel.port1.onmessage = fn;
    channel.port2.postMessage(null);
}

// Runs the steps one after the other, each given the value of the one before, the first in a task of its own (begun
// in the middle of other work, it would lengthen that work's task); budget: the milliseconds of a task (0: each step
// in a task of its own). Gives a promise of the last one's value; a step that throws rejects it, and the steps after
// it do not run.
export function inSteps(steps, budget) {
    budget = budget === undefined ? BUDGET : budget;
    var since = -Infinity;
    return steps.reduce(function (done, step) {
        return done.then(function (value) {
            if (performance.now() - since < budget) return step(value);
            return new Promise(function (resolve, reject) {
                later(function () {
                    since = performance.now();
                    try {
                        resolve(step(value));
                    } catch (e) {
                        reject(e);
                    }
                });
            });
        });
    }, Promise.resolve());
}
