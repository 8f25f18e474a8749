// The chain picture in its box: at first at a scale whose smallest text is still 10 px (fitted whole, where it fits
// at that), panned from "Zum Verkauf" on; zoomed by the buttons and the keys + - 0 about the picked box (else the
// middle), by Ctrl and the wheel or two fingers about the pointer; panned by scrolling, arrow keys or dragging; a box
// clicked, tapped or focused is picked: its lines and its result row stand out, and below the picture its line of
// the results is said with its "Warum?".
import { FONT } from '../record/layout.js';

var STEP = 1.25, MOST = 8;
// the scale at which the picture's smallest text is 10 px on screen
var READABLE = 10 / Math.min.apply(null, Object.keys(FONT).map(function (k) { return FONT[k][0]; }));

export function chainView(area, hooks) {
    var chosen = null; // the player's scale: null the opening one, 0 fitted
    var picked = null; // the data-id of the picked box
    var watched = null; // the picture whose size the buttons follow

    function svg() { return area.querySelector('svg'); }

    // The picture's width fitted whole into its box (at most 80vh high, style.css), never above its own size.
    function fitted(box) {
        return 'min(' + box.width + 'px, 100%, ' + (80 * box.width / box.height).toFixed(2) + 'vh)';
    }

    // The picture at the chosen scale, never below fitted and never above the most, said in the style alone: the
    // picture is laid out once, at its size, and no layout is read.
    function size() {
        var s = svg();
        if (!s) return;
        var box = s.viewBox.baseVal;
        var z = Math.min(chosen === null ? Math.min(1, READABLE) : chosen, MOST);
        var width = 'max(' + fitted(box) + ', ' + z * box.width + 'px)';
        if (s.style.width !== width) s.style.width = width;
        if (watched !== s) zoomed.observe(watched = s);
    }

    // Once the picture or its box is laid out anew: whether the picture can get smaller, and larger.
    var zoomed = new ResizeObserver(function () {
        var s = svg();
        if (!s) return;
        var box = s.viewBox.baseVal;
        var fit = Math.min(box.width, area.clientWidth, 0.8 * innerHeight * box.width / box.height);
        hooks.zoomed(s.getBoundingClientRect().width > fit + 0.5, chosen >= MOST);
    });
    zoomed.observe(area);

    // The middle of a rectangle of the window.
    function middle(r) { return [r.left + r.width / 2, r.top + r.height / 2]; }

    // Scrolls the least that brings a rectangle of the window into the view, as far as it fits.
    function bringIntoView(r) {
        var a = area.getBoundingClientRect();
        var by = function (low, high, from, size) {
            return high > from + size ? Math.min(high - from - size, low - from) : Math.min(low - from, 0);
        };
        area.scrollLeft += by(r.left, r.right, a.left + area.clientLeft, area.clientWidth);
        area.scrollTop += by(r.top, r.bottom, a.top + area.clientTop, area.clientHeight);
    }

    // Zooms by a factor (0: fitted) about a point of the window (at), else about the picked box (which then stays
    // in view) or the view's middle, keeping that point of the picture where it is.
    function zoomBy(factor, at) {
        var s = svg();
        if (!s) return;
        var frame = !at && picked && s.querySelector('[data-id="' + picked + '"] rect');
        var a = area.getBoundingClientRect();
        var before = s.getBoundingClientRect();
        at = at || middle(frame ? frame.getBoundingClientRect()
            : { left: a.left, top: a.top, width: area.clientWidth, height: area.clientHeight });
        var x = (at[0] - before.left) / before.width, y = (at[1] - before.top) / before.height;
        chosen = factor * before.width / s.viewBox.baseVal.width;
        size();
        var after = s.getBoundingClientRect();
        area.scrollLeft += after.left + x * after.width - at[0];
        area.scrollTop += after.top + y * after.height - at[1];
        if (frame) bringIntoView(frame.getBoundingClientRect());
    }

    function highlight() {
        var s = svg();
        if (!s) return;
        var box = picked && s.querySelector('[data-id="' + picked + '"]');
        if (!box) picked = null;
        if (!box && !s.hasAttribute('data-picked')) return hooks.picked(null, '');
        var on = box ? box.getAttribute('data-edges').split(' ').filter(Boolean) : [];
        if (box) s.setAttribute('data-picked', picked); else s.removeAttribute('data-picked');
        s.querySelectorAll('[data-edges]').forEach(function (e) {
            var mine = e === box || (e.getAttribute('data-edges').split(' ').some(function (i) { return on.indexOf(i) >= 0; })
                && !e.hasAttribute('data-id'));
            var neighbour = !mine && e.hasAttribute('data-id') && on.some(function (i) {
                return (' ' + e.getAttribute('data-edges') + ' ').indexOf(' ' + i + ' ') >= 0;
            });
            e.setAttribute('data-on', box ? (mine || neighbour ? '1' : '0') : '');
            if (e.hasAttribute('data-id')) e.setAttribute('aria-pressed', String(e === box));
        });
        hooks.picked(box ? +box.getAttribute('data-row') : null, box ? box.getAttribute('data-name') : '');
    }

    // A press focuses the box before its click, and focus picks it: a click unpicks only the box that was picked
    // before the press began, so one click or tap picks and a second one on the same box lets it go.
    var atPress;
    function pick(event) {
        var box = event.target.closest && event.target.closest('.chain-box');
        if (!box) return;
        var id = box.getAttribute('data-id');
        var before = event.type === 'click' && atPress !== undefined ? atPress : picked;
        if (event.type === 'click') atPress = undefined;
        picked = event.type === 'click' && before === id ? null : id;
        highlight();
    }

    area.addEventListener('click', pick);
    area.addEventListener('focusin', pick);
    area.addEventListener('pointerdown', function () { atPress = picked; }, true);
    area.addEventListener('keydown', function (event) {
        var step = { ArrowLeft: [-40, 0], ArrowRight: [40, 0], ArrowUp: [0, -40], ArrowDown: [0, 40] }[event.key];
        if (event.key === '+' || event.key === '=') zoomBy(STEP);
        else if (event.key === '-') zoomBy(1 / STEP);
        else if (event.key === '0') zoomBy(0);
        else if (event.key === 'Escape') { picked = null; highlight(); }
        else if ((event.key === 'Enter' || event.key === ' ') && event.target.closest('.chain-box')) {
            picked = picked === event.target.getAttribute('data-id') ? null : event.target.getAttribute('data-id');
            highlight();
        } else if (step && event.target === area) area.scrollBy(step[0], step[1]);
        else return;
        event.preventDefault();
    });
    // Ctrl and the wheel zoom about the pointer; dragging with the mouse pans
    area.addEventListener('wheel', function (event) {
        if (!event.ctrlKey) return;
        event.preventDefault();
        zoomBy(event.deltaY < 0 ? STEP : 1 / STEP, [event.clientX, event.clientY]);
    }, { passive: false });
    var drag = null;
    area.addEventListener('pointerdown', function (event) {
        if (event.pointerType === 'mouse' && event.button === 0) drag = [event.clientX, event.clientY, area.scrollLeft, area.scrollTop, false];
    });
    window.addEventListener('pointermove', function (event) {
        if (!drag) return;
        var dx = event.clientX - drag[0], dy = event.clientY - drag[1];
        if (Math.abs(dx) + Math.abs(dy) > 4) drag[4] = true;
        area.scrollLeft = drag[2] - dx;
        area.scrollTop = drag[3] - dy;
    });
    window.addEventListener('pointerup', function () { drag = null; });
    // two fingers: the zoom follows their distance, about their middle; one finger scrolls as ever
    var pinch = null;
    var spread = function (t) { return Math.hypot(t[0].clientX - t[1].clientX, t[0].clientY - t[1].clientY); };
    area.addEventListener('touchstart', function (event) {
        if (event.touches.length === 2) pinch = spread(event.touches);
    }, { passive: true });
    area.addEventListener('touchmove', function (event) {
        if (!pinch || event.touches.length !== 2) return;
        event.preventDefault();
        var t = event.touches;
        zoomBy(spread(t) / pinch, [(t[0].clientX + t[1].clientX) / 2, (t[0].clientY + t[1].clientY) / 2]);
        pinch = spread(t);
    }, { passive: false });
    area.addEventListener('touchend', function (event) { if (event.touches.length < 2) pinch = null; });

    return {
        drawn: function () { size(); highlight(); },
        zoomIn: function () { zoomBy(STEP); },
        zoomOut: function () { zoomBy(1 / STEP); },
        fit: function () { zoomBy(0); },
        pick: function (id) { picked = id; highlight(); }
    };
}
