// The results as tables built from the core's result rows, and the short summary above them. A recompute with
// the same rows only changes the texts of the cells it already has.
// Takes from WV: element, setIf, number, whole, factoriesPerCount; gives WV.hyphenated, WV.describeResults,
// WV.showResults, WV.toggleWhy, WV.showSummary.
(function (WV) {
    'use strict';
    var element = WV.element;
    var setIf = WV.setIf;
    var SIZES = [0, 1, 2];  // M, L, XL: the order in which the form asks them
    var MARK = { '-': '–', S: 'S', M: 'M', F: 'F' };
    var specials = null;  // the questions of the special factories, whose chains are named for them

    // Soft hyphens at the joints of the long compound names, so that a narrow column breaks them there only.
    var JOINTS = new RegExp('([a-zäöü]{2})(?=(kraftwerke|fabriken|raffinerien|stationen|pressen|labore|aquarien|'
        + 'farmen|schmieden|minen|zentren|produnktionen|verkauf)\\b)', 'gi');
    WV.hyphenated = function (name) {
        return name.replace(JOINTS, '$1\u00ad');
    };

    function nameOf(row) {
        return WV.hyphenated(row.name.replace(/:\s*$/, '').replace(/^-(.*)-$/, '$1'));
    }

    function cell(text, bad) {
        return { text: text, cls: bad ? 'num bad' : 'num' };
    }

    // Whom a food chain feeds: its race (by the code of its demand, "ANP" for the Argonen), a special factory,
    // or the crystal factories; nothing when the name says it already.
    function fedOf(row, tables) {
        var codes = Object.keys(row.facts);
        var race = tables.races.filter(function (r) { return codes.indexOf(r.code + 'NP') >= 0; })[0];
        if (race) {
            if (row.name.indexOf(race.name) >= 0 || race.numberedName && row.name.indexOf(race.numberedName) >= 0) {
                return '';
            }
            return race.name + (row.facts.KF === undefined ? '' : ', mit den Kristallfabriken');
        }
        specials = specials || tables.questions.filter(function (q) {
            return q.index >= 0 && q.group !== tables.level3Group;
        });
        var special = specials.filter(function (q) { return row.facts[q.code] !== undefined; })[0];
        if (special) return 'für ' + special.prompt.trim().replace(/:$/, '');
        return row.facts.KG === undefined ? '' : 'für die Kristallfabriken';
    }

    function countCells(row) {
        return SIZES.map(function (s) {
            return row.shown & (1 << s) ? cell(WV.number(row.count[s]), row.count[s] < 0) : cell('–');
        });
    }

    // What a row says beside its numbers: an error of the run, a negative count, too little energy.
    function saidOf(row, messages) {
        var said = messages.map(function (m) { return m.text.trim() + ' – nach einer negativen Eingabe.'; });
        if (row.count.some(function (c) { return c < 0; })) {
            said.push('Negative Anzahl: eine Eingabe ist negativ oder kleiner als berechnet.');
        }
        if (row.kind === 'plants' && row.number < 0) {
            said.push('Zu wenig Energie: es fehlen ' + WV.number(-row.number) + ' EZ pro Stunde.');
        }
        return said.join(' ');
    }

    function plantsRow(row, said, i) {
        var surplus = row.number < 0 ? cell('Mangel ' + WV.number(-row.number) + ' EZ', true)
            : cell(WV.number(row.number) + ' EZ');
        return { head: nameOf(row), cells: countCells(row).concat([surplus]), said: said, index: i };
    }

    // The supply table: plants, the -es capacity beside them, crystal factories and food chains; and the total of
    // what is built, a food line counting as two factories of each pair.
    function supplyTable(record, tables) {
        var rows = [];
        var total = [0, 0, 0];
        record.rows.forEach(function (row, i) {
            var said = saidOf(row, record.messages.filter(function (m) { return m.about === 'row' && m.index === i; }));
            if (row.kind === 'capacity') {
                rows.push({ head: 'ungenutzte SKW-Kapazität', sub: 'nur bei Kristallüberschuss nutzbar', index: i,
                    cells: [cell(''), cell(''), cell(''), cell(WV.number(row.number) + ' EZ')] });
                return;
            }
            if (row.kind !== 'plants' && row.kind !== 'factories') return;
            SIZES.forEach(function (s) { total[s] += WV.factoriesPerCount(row) * row.count[s]; });
            if (row.kind === 'plants') return rows.push(plantsRow(row, said, i));
            rows.push({ head: nameOf(row), sub: fedOf(row, tables), said: said, index: i,
                cells: countCells(row).concat([cell(row.mark ? MARK[row.mark] : '', row.mark === 'F')]) });
        });
        var foot = total.map(function (n) { return cell(WV.number(n), n < 0); }).concat([cell('')]);
        return { caption: 'Zu bauen', heads: ['Fabriken', 'M', 'L', 'XL', 'Überschuss'], rows: rows,
            foot: { head: 'Fabriken insgesamt', cells: foot }, total: total, legend: SUPPLY_LEGEND };
    }

    var SUPPLY_LEGEND = [
        ['Überschuss –', 'keiner'], ['S', 'eine halbe M-Fabrik'], ['M', 'eine M-Fabrik'],
        ['F', 'Fehler nach einer negativen Eingabe'],
        ['EZ', 'was die SKWs pro Stunde mehr liefern als gebraucht wird'],
        ['Paare', 'eine Zeile „… und …“ zählt je eine Level-2-Fabrik mit ihrer Level-1-Fabrik; '
            + '„Fabriken insgesamt“ zählt beide']
    ];
    var MINES_LEGEND = [
        ['Kritisch', 'das Silizium reicht gerade für die siliziumbasierten Endfabriken und den EZ-Bedarf; '
            + 'Kristallfabriken und SKWs stehen öfter still'],
        ['Ausreichend', 'genug, um alle Fabriken ständig zu versorgen (bei Silizium auch die EZ- und '
            + 'Kristallüberschüsse)'],
        ['Empfohlen', 'etwas mehr als nötig, mit Spielraum für Ausbauten']
    ];

    function minesTable(record) {
        var rows = [];
        var notes = [];
        record.rows.forEach(function (row, i) {
            if (row.kind === 'note') notes.push(nameOf(row).replace(/^k/, 'K') + '.');
            if (row.kind !== 'mines') return;
            var values = row.value.map(function (v) { return cell(WV.number(WV.whole(v))); });
            while (values.length < 3) values.unshift(cell('–'));
            rows.push({ head: nameOf(row), cells: values, index: i });
        });
        return { caption: 'Minen (Gesamtausbeute)', heads: ['Minen', 'Kritisch', 'Ausreichend', 'Empfohlen'],
            rows: rows, notes: notes, legend: rows.length ? MINES_LEGEND : null };
    }

    function salesTable(record) {
        var rows = [];
        record.rows.forEach(function (row, i) {
            if (row.kind === 'sale') rows.push({ head: nameOf(row), cells: [cell(WV.number(WV.whole(row.value[0])))], index: i });
        });
        return { caption: 'Verkauf pro Stunde', heads: ['Ware', 'Menge'], rows: rows };
    }

    // The run's results as tables of texts, and the figures of the summary.
    WV.describeResults = function (record, tables) {
        var supply = supplyTable(record, tables);
        var plants = record.rows.filter(function (r) { return r.kind === 'plants'; })[0];
        var crystals = record.rows.filter(function (r) { return r.kind === 'factories'; })[0];
        var sum = function (row) { return row ? row.count[0] + row.count[1] + row.count[2] : 0; };
        return {
            tables: [supply, minesTable(record), salesTable(record)],
            summary: { ez: plants ? plants.number : 0, skw: sum(plants), crystals: sum(crystals),
                total: supply.total[0] + supply.total[1] + supply.total[2] }
        };
    };

    // ---- Building and updating the tables ----

    // The shape of the tables: what decides which elements there are. Texts of number cells are not part of it.
    function shapeOf(described) {
        return described.tables.map(function (t) {
            return t.caption + t.rows.length + ':' + t.rows.map(function (r) {
                return r.head + '/' + (r.sub || '') + (r.said ? '!' : '') + r.index;
            }).join('|') + (t.notes || []).join('');
        }).join('#');
    }

    // A result line's "Warum?": a button that opens the line's explanation in the row below it.
    function whyOf(r, rows) {
        var id = 'why-' + r.index;
        var button = element('button', { type: 'button', class: 'why', 'aria-expanded': 'false', 'aria-controls': id,
            'data-row': String(r.index), 'aria-label': 'Warum? ' + r.head.replace(/\u00ad/g, ''), text: 'Warum?' });
        rows.push(element('tr', { class: 'explained', id: id, hidden: '' },
            [element('td', { colspan: String(r.cells.length + 1) })]));
        return button;
    }

    function rowElement(r, slots, foot) {
        var after = [];
        var head = element('th', { scope: 'row' }, [document.createTextNode(r.head),
            r.sub ? element('small', { text: r.sub }) : null, r.index === undefined ? null : whyOf(r, after)]);
        var tr = element('tr', {}, [head].concat(r.cells.map(function (c) {
            var td = element('td', { class: c.cls, text: c.text });
            slots.push(td);
            return td;
        })));
        if (!r.said || foot) return [tr].concat(after);
        var said = element('td', { colspan: String(r.cells.length + 1), text: r.said });
        slots.push(said);
        return [tr, element('tr', { class: 'said' }, [said])].concat(after);
    }

    function legendOf(items) {
        var list = element('dl', { class: 'legend' });
        items.forEach(function (item) {
            var pair = element('div', {}, [element('dt', { text: item[0] }), element('dd', { text: item[1] })]);
            pair.insertBefore(document.createTextNode(' '), pair.lastChild);
            list.append(pair, ' ');
        });
        return list;
    }

    function tableOf(t, slots) {
        var body = element('tbody');
        t.rows.forEach(function (r) { rowElement(r, slots, false).forEach(function (tr) { body.appendChild(tr); }); });
        var heads = element('tr', {}, t.heads.map(function (h, i) {
            return element('th', { scope: 'col', class: i ? 'num' : '', text: h });
        }));
        var foot = t.foot ? element('tfoot', {}, rowElement(t.foot, slots, true)) : null;
        return element('table', { class: 'results' },
            [element('caption', { text: t.caption }), element('thead', {}, [heads]), body, foot]);
    }

    // The texts of the changing cells, in the order the tables were built.
    function slotTexts(described) {
        var texts = [];
        described.tables.forEach(function (t) {
            t.rows.concat(t.foot ? [t.foot] : []).forEach(function (r) {
                r.cells.forEach(function (c) { texts.push(c); });
                if (r.said && r !== t.foot) texts.push({ text: r.said, cls: '' });
            });
        });
        return texts;
    }

    function build(area, described) {
        var slots = [];
        area.textContent = '';
        described.tables.forEach(function (t) {
            if (t.rows.length) area.appendChild(tableOf(t, slots));
            (t.notes || []).forEach(function (n) { area.appendChild(element('p', { class: 'hint', text: n })); });
            if (t.rows.length && t.legend) area.appendChild(legendOf(t.legend));
        });
        return slots;
    }

    // Fills the results area; with the same shape as before only the cells' texts change.
    // explain(index) gives the sentences of a result line's "Warum?"; the open ones are written anew each time.
    WV.showResults = function (area, described, explain) {
        var shape = shapeOf(described);
        area.wvExplain = explain;
        if (area.wvShape !== shape) {
            area.wvShape = shape;
            area.wvSlots = build(area, described);
            area.wvWhy = [].slice.call(area.querySelectorAll('button.why'));
        } else {
            slotTexts(described).forEach(function (c, i) {
                var td = area.wvSlots[i];
                setIf(td, 'textContent', c.text);
                if (c.cls) setIf(td, 'className', c.cls);
            });
        }
        area.wvOpen = area.wvOpen || {};
        area.wvWhy.forEach(function (button) { showWhy(area, button, !!area.wvOpen[button.getAttribute('aria-label')]); });
    };

    function showWhy(area, button, open) {
        var row = document.getElementById(button.getAttribute('aria-controls'));
        setIf(button, 'ariaExpanded', String(open));
        setIf(row, 'hidden', !open);
        if (open) setIf(row.firstChild, 'textContent', area.wvExplain(+button.getAttribute('data-row')).join(' '));
    }

    // Opens or closes the explanation of the line whose "Warum?" was pressed; it stays open through recomputes
    // while the line is there.
    WV.toggleWhy = function (area, button) {
        var key = button.getAttribute('aria-label');
        area.wvOpen[key] = !area.wvOpen[key];
        showWhy(area, button, area.wvOpen[key]);
    };

    // The short summary: energy surplus or deficit, the SKWs and crystal factories, all that is to be built.
    WV.showSummary = function (figures) {
        var ez = figures.ez;
        var name = document.getElementById('s-ez-name');
        setIf(name, 'textContent', ez < 0 ? 'EZ-Mangel' : 'EZ-Überschuss');
        var value = document.getElementById('s-ez');
        setIf(value, 'textContent', (ez > 0 ? '+' : '') + WV.number(Math.abs(ez)));
        setIf(value, 'className', ez < 0 ? 'bad' : '');
        ['skw', 'crystals', 'total'].forEach(function (k) {
            var e = document.getElementById('s-' + k);
            setIf(e, 'textContent', WV.number(figures[k]));
            setIf(e, 'className', figures[k] < 0 ? 'bad' : '');
        });
    };
})(window.WV);
