// Numbers and dates as the page writes them: German. The core gives every value as the console rounds it.

// A number as German readers write it, with at most two decimals: 96.400, 28,55, -0. Written out here rather
// than by the browser's locale data, which takes long to load; the whole page formats its numbers with it.
export function number(n) {
    var parts = Math.abs(n).toFixed(2).replace(/\.?0+$/, '').split('.');
    var sign = n < 0 || Object.is(n, -0) ? '-' : '';
    return sign + parts[0].replace(/\B(?=(\d{3})+(?!\d))/g, '.') + (parts[1] ? ',' + parts[1] : '');
}

// A count with its noun, singular after 1: "1 Stufe", "2 Stufen", "1,5 Stufen".
export function counted(n, one, many) {
    return number(n === 0 ? 0 : n) + ' ' + (n === 1 ? one : many);
}

var MONTHS = ['Januar', 'Februar', 'März', 'April', 'Mai', 'Juni', 'Juli', 'August', 'September', 'Oktober',
    'November', 'Dezember'];

// A moment as German readers write it, "7. Dezember 2026, 09:05 Uhr", without the browser's locale data.
export function dateText(d) {
    var two = function (n) { return (n < 10 ? '0' : '') + n; };
    return d.getDate() + '. ' + MONTHS[d.getMonth()] + ' ' + d.getFullYear() + ', ' + two(d.getHours()) + ':'
        + two(d.getMinutes()) + ' Uhr';
}
