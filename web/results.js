// The results as tables built from the core's result rows, and the files of the run to download.
// Takes from WV: element, bytesOf; gives WV.shownNumber, WV.showResults, WV.showDownloads.
(function (WV) {
    'use strict';
    var element = WV.element;
    var SIZES = ['XL', 'L', 'M'];
    var SIZE_INDEX = { M: 0, L: 1, XL: 2 };
    var MARK = { '-': 'kein Überschuss', S: 'Überschuss einer halben M-Fabrik', M: 'Überschuss einer M-Fabrik',
        F: 'Fehler' };

    function nameOf(row) {
        return row.name.replace(/:\s*$/, '');
    }

    function table(caption, head, body) {
        return element('table', {}, [
            element('caption', { text: caption }),
            element('thead', {}, [element('tr', {}, head.map(function (h, i) {
                return element('th', { scope: 'col', class: i ? 'number' : '', text: h });
            }))]),
            element('tbody', {}, body.map(function (cells) {
                return element('tr', {}, cells.map(function (c, i) {
                    return element(i ? 'td' : 'th', i ? { class: 'number', text: c.text, title: c.title || '' }
                        : { scope: 'row', text: c.text });
                }));
            }))
        ]);
    }

    function cell(text, title) {
        return { text: String(text), title: title };
    }

    // %.0f as the console shows it: halves away from zero, a small negative value as -0.
    WV.shownNumber = function (value) {
        return (value < 0 || Object.is(value, -0) ? '-' : '') + Math.round(Math.abs(value));
    };

    // Fills the results area from the rows of one run.
    WV.showResults = function (area, rows) {
        var supply = [];
        var mines = [];
        var sales = [];
        var notes = [];
        rows.forEach(function (row) {
            var counts = SIZES.map(function (s) {
                return row.shown & (1 << SIZE_INDEX[s]) ? cell(row.count[SIZE_INDEX[s]]) : cell('–');
            });
            if (row.kind === 'plants') {
                supply.push([cell(nameOf(row))].concat(counts, [cell(row.number + ' EZ', 'EZ-Überschuss')]));
            } else if (row.kind === 'factories') {
                supply.push([cell(nameOf(row))].concat(counts, [cell(row.mark || '', MARK[row.mark])]));
            } else if (row.kind === 'mines') {
                var values = row.value.map(WV.shownNumber);
                while (values.length < 3) values.unshift('–');
                mines.push([cell(nameOf(row))].concat(values.map(function (v) { return cell(v); })));
            } else if (row.kind === 'sale') {
                sales.push([cell(nameOf(row)), cell(WV.shownNumber(row.value[0]))]);
            } else if (row.kind === 'capacity') {
                notes.push(nameOf(row) + ': ' + row.number + ' EZ');
            } else {
                notes.push(row.name.trim());
            }
        });
        area.textContent = '';
        if (supply.length) {
            area.appendChild(table('Versorgungsfabriken', ['Fabriken', 'XL', 'L', 'M', 'Überschuss'], supply));
            area.appendChild(element('p', { class: 'hint', text: 'Überschuss: - keiner, S eine halbe M-Fabrik, '
                + 'M eine M-Fabrik, F Fehler (nur bei negativen Eingaben)' }));
        }
        if (mines.length) {
            area.appendChild(table('Minen (Gesamtausbeute)', ['Minen', 'Kritisch', 'Ausreichend', 'Empfohlen'], mines));
        }
        if (sales.length) area.appendChild(table('Verkauf pro Stunde', ['Ware', 'Menge'], sales));
        notes.forEach(function (n) { area.appendChild(element('p', { class: 'note', text: n })); });
    };

    // Download links for the files of the run and the answers file. A link makes its file's
    // address only when it is followed, so a recompute costs no file objects.
    var current = {};
    WV.showDownloads = function (list, files, answers) {
        current = Object.assign({}, files, { 'antworten.txt': WV.bytesOf(answers) });
        var names = Object.keys(current).join('/');
        if (list.getAttribute('data-names') === names) return;
        list.setAttribute('data-names', names);
        list.textContent = '';
        Object.keys(current).forEach(function (name) {
            var text = name === 'antworten.txt' ? name + ' (Antwortdatei für das Konsolenprogramm)' : name;
            var a = element('a', { href: '#', download: name, text: text });
            a.addEventListener('click', function () {
                if (a.href.indexOf('blob:') === 0) URL.revokeObjectURL(a.href);
                a.href = URL.createObjectURL(new Blob([current[name]], { type: 'application/octet-stream' }));
            });
            list.appendChild(element('li', {}, [a]));
        });
    };
})(window.WV);
