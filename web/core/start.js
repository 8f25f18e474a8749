// The core made while the page is read: this small script stands in the head right after the core's text and
// starts it in a task of its own, so that the browser inflates the core (off the main thread) while the page's own
// scripts are taken and compiled. page/main.js takes the promise.
import { loadPageCore } from './load.js';

window.werkverbundCore = new Promise(function (resolve) { setTimeout(resolve); }).then(loadPageCore);
window.werkverbundCore.catch(function () {});   // a failure is the start's to show, when it takes the promise
