// Numbers as the page writes them: German, and rounded as the console program rounds.

// A number as German readers write it, with at most two decimals: 96.400, 28,55, -0. Written out here rather
// than by the browser's locale data, which takes long to load; the whole page formats its numbers with it.
export function number(n) {
    var parts = Math.abs(n).toFixed(2).replace(/\.?0+$/, '').split('.');
    var sign = n < 0 || Object.is(n, -0) ? '-' : '';
    return sign + parts[0].replace(/\B(?=(\d{3})+(?!\d))/g, '.') + (parts[1] ? ',' + parts[1] : '');
}

// A whole number as the console shows it (%.0f with halves away from zero): -0.4 stays -0.
export function whole(value) {
    var r = Math.round(Math.abs(value));
    return value < 0 || Object.is(value, -0) ? -r : r;
}
