// The chain picture in its box: fitted to the column at first, zoomed by the buttons, the keys + - 0 and two
// fingers, panned by scrolling, arrow keys or dragging; a box clicked, tapped or focused is picked: its lines
// and its result row stand out, and below the picture its line of the results is said with its "Warum?".
var STEP = 1.25, MOST = 8;

export function chainView(area, hooks) {
    var zoom = 1;      // 1: the picture as wide as its box
    var picked = null; // the data-id of the picked box
    var natural = null, last = null;   // the picture's size and element when last fitted

    function svg() { return area.querySelector('svg'); }

    var room = 0;      // the box's width, read again when the window changes
    function size(resized) {
        var s = svg();
        if (!s) return;
        var now = s.getAttribute('width') + ' ' + s.getAttribute('height');
        if (!resized && now === natural && s === last && room) return;
        natural = now;
        if (resized || !room) room = area.clientWidth - 2;   // read only when it may change: it costs a layout
        last = s;
        var w = +s.getAttribute('width');
        var fit = Math.min(1, room / w) || 1;
        var scale = Math.min(fit * zoom, MOST);
        s.style.width = Math.round(w * scale) + 'px';
        s.style.height = Math.round(+s.getAttribute('height') * scale) + 'px';
        hooks.zoomed(zoom > 1, scale >= MOST);
    }

    // Zooms about a point of the box (its middle by default), keeping that point where it is.
    function zoomTo(z, px, py) {
        var before = svg() && svg().getBoundingClientRect().width;
        z = Math.max(1, Math.min(z, 40));
        if (!before || z === zoom) return;
        var box = area.getBoundingClientRect();
        px = px === undefined ? area.clientWidth / 2 : px - box.left;
        py = py === undefined ? area.clientHeight / 2 : py - box.top;
        var x = area.scrollLeft + px, y = area.scrollTop + py;
        zoom = z;
        size(true);
        var ratio = svg().getBoundingClientRect().width / before;
        area.scrollLeft = x * ratio - px;
        area.scrollTop = y * ratio - py;
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
        if (event.key === '+' || event.key === '=') zoomTo(zoom * STEP);
        else if (event.key === '-') zoomTo(zoom / STEP);
        else if (event.key === '0') zoomTo(1);
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
        zoomTo(zoom * (event.deltaY < 0 ? STEP : 1 / STEP), event.clientX, event.clientY);
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
        if (event.touches.length === 2) pinch = [spread(event.touches), zoom];
    }, { passive: true });
    area.addEventListener('touchmove', function (event) {
        if (!pinch || event.touches.length !== 2) return;
        event.preventDefault();
        var t = event.touches;
        zoomTo(pinch[1] * spread(t) / pinch[0], (t[0].clientX + t[1].clientX) / 2, (t[0].clientY + t[1].clientY) / 2);
    }, { passive: false });
    area.addEventListener('touchend', function (event) { if (event.touches.length < 2) pinch = null; });
    window.addEventListener('resize', function () { size(true); });

    return {
        drawn: function (shown) { size(shown); highlight(); },
        zoomIn: function () { zoomTo(zoom * STEP); },
        zoomOut: function () { zoomTo(zoom / STEP); },
        fit: function () { zoomTo(1); },
        pick: function (id) { picked = id; highlight(); }
    };
}
