// The built tab: what is built of the plan's lines as a checklist, a count typed per size (and per mine line its
// yield), what is missing and what stands beyond the need.
import { element, byId, setIf } from '../lib/dom.js';
import { number, counted } from '../lib/format.js';
import { builtCount } from '../plan/checked.js';
import { checklistOf, standOf } from '../record/checklist.js';
import { SIZES, spoken } from '../record/words.js';
import { headOf } from './results.js';

var plans = null;    // built(), setBuilt(key, count): the current plan's built counts
var record = null;   // of the last run of the form's plan
var redraw = null;   // the checklist drawn anew, as the views draw it

// A size's cell of the checklist: the count built, typed, and what is needed; in print the count.
function sizeCell(line, size, i) {
    var name = spoken(line.name) + (size.size ? ' Typ ' + size.size : ' Ausbeute') + ' gebaut';
    var input = element('input', { inputmode: 'numeric', placeholder: '0', id: 'built-' + i + '-' + (size.size || 'Y'),
        'data-key': size.key, 'aria-label': name });
    var need = element('small');
    var shown = element('span', { class: 'print-count' });
    var td = element('td', { class: 'num' }, [input, shown, need]);
    if (!size.size) td.setAttribute('colspan', '3');
    return { td: td, input: input, need: need, shown: shown };
}

// The checklist's table is made anew only when its lines or their fields change; otherwise its texts are.
// The field the player is in keeps its place while he is in it, even when its count no longer asks for one.
function shapeBuilt(area, lines, typing) {
    var shape = lines.map(function (l) {
        var fields = l.mine ? 'Y' : l.sizes.filter(function (s) { return s.field; }).map(function (s) { return s.size; }).join('');
        return l.code + l.name + ':' + fields;
    }).join('|');
    if (area.wvShape === shape) return;
    area.wvShape = shape;
    area.wvRows = lines.map(function (line, i) {
        var cells = {};
        var tds = line.mine ? [(cells.Y = sizeCell(line, line.mine, i)).td] : SIZES.map(function (z) {
            var size = line.sizes.filter(function (s) { return s.size === z; })[0];
            if (!size || !size.field) return element('td', { class: 'num', text: '–' });
            return (cells[z] = sizeCell(line, size, i)).td;
        });
        var stand = element('td');
        var tr = element('tr', {}, [headOf(line.name)].concat(tds, [stand]));
        return { tr: tr, cells: cells, stand: stand };
    });
    area.wvFoot = element('td', { colspan: '5' });
    area.textContent = '';
    area.appendChild(element('table', { class: 'results checklist' }, [element('caption', { text: 'Baustand' }),
        element('thead', {}, [element('tr', {}, ['Fabriken'].concat(SIZES, ['Stand']).map(function (h, i) {
            return element('th', { scope: 'col', class: i && i < 4 ? 'num' : '', text: h });
        }))]), element('tbody', {}, area.wvRows.map(function (r) { return r.tr; })),
        element('tfoot', {}, [element('tr', {}, [area.wvFoot])])]));
    typedOn(area, typing);
}

// The field the player is in, with what he has typed so far, so that a table made anew takes him back into it.
function typedIn(area) {
    var input = document.activeElement;
    if (!input || !area.contains(input) || !input.hasAttribute('data-key')) return {};
    return { key: input.getAttribute('data-key'), value: input.value, kept: input.wvKept, from: input.selectionStart,
        to: input.selectionEnd, message: input.wvMessage && !input.wvMessage.hidden ? input.wvMessage.textContent : '' };
}

function typedOn(area, typing) {
    var input = typing.key && area.querySelector('input[data-key="' + typing.key + '"]');
    if (!input) return;
    input.value = typing.value;
    input.focus();
    input.wvKept = typing.kept;
    input.setSelectionRange(typing.from, typing.to);
    say(input, typing.message);
}


function showBuilt() {
    var area = byId('built');
    var typing = typedIn(area);
    var list = checklistOf(record, plans.built(), typing.key);
    shapeBuilt(area, list.lines, typing);
    list.lines.forEach(function (line, i) {
        var r = area.wvRows[i];
        (line.mine ? [line.mine] : line.sizes).forEach(function (size) {
            var cell = r.cells[size.size || 'Y'];
            if (!cell) return;
            setIf(cell.need, 'textContent', ' von ' + number(size.need)
                + (line.mine ? ' (Ausreichend; empfohlen ' + number(size.recommended) + ')' : ''));
            if (document.activeElement !== cell.input) shownAgain(cell.input, size.has ? number(size.has) : '');
            setIf(cell.shown, 'textContent', number(size.has));
        });
        setIf(r.stand, 'textContent', standOf(line, number));
        setIf(r.tr, 'className', line.missing.length ? 'missing to-build' : line.extra.length ? 'extra' : 'done');
    });
    setIf(area.wvFoot, 'textContent', list.sum.need || list.sum.built ? 'Gebaut: ' + number(list.sum.built) + ' von '
        + counted(list.sum.need, 'Fabrik', 'Fabriken') + ' (ein Paar zählt zwei)' : 'Dieser Plan braucht keine Fabriken.');
}

function storedCount(input) {
    return plans.built()[input.getAttribute('data-key')] || 0;
}

// Why a field's text is not taken, said below it; '' takes the message away.
function say(input, text) {
    var message = input.wvMessage;
    if (text && !message) {
        message = input.wvMessage = element('small', { id: input.id + '-m', class: 'bad' });
        input.parentNode.insertBefore(message, input.nextSibling);
        input.setAttribute('aria-describedby', message.id);
    }
    if (message) setIf(message, 'textContent', text);
    if (message) setIf(message, 'hidden', !text);
    setIf(input, 'ariaInvalid', String(!!text));
}

// The stored count put into a field the player is not in; the message about what stood there before goes.
function shownAgain(input, text) {
    if (input.value !== text) say(input, '');
    setIf(input, 'value', text);
}

// A built count typed, read as the form's numbers are ("1.200" is 1200). A text that is no count is said at its
// field, and the count stays what it was when the field was entered, never a part of what is being typed.
function builtTyped(event) {
    var input = event.target;
    if (input.wvKept === undefined) input.wvKept = storedCount(input);
    var count = builtCount(input.value);
    say(input, count === null ? 'Bitte eine ganze Zahl ab 0 eingeben, etwa 1.200; gezählt bleibt '
        + number(input.wvKept) + '.' : '');
    count = count === null ? input.wvKept : count;
    if (count !== storedCount(input)) plans.setBuilt(input.getAttribute('data-key'), count);
    redraw();
}


export const builtTab = {
    start: function (stored, drawn) {
        [plans, redraw] = [stored, drawn];
        byId('built').addEventListener('input', builtTyped);
        byId('built').addEventListener('focusin', function (event) {
            if (event.target.hasAttribute('data-key')) event.target.wvKept = storedCount(event.target);
        });
        // A field kept only while it was typed in goes once the player has left it for somewhere else.
        byId('built').addEventListener('focusout', function () { setTimeout(redraw); });
    },
    show: function (last) {
        record = last;
        showBuilt();
    }
};
