// The page's elements: made, found, changed only where they change; download links pointed at their content, and
// files named after a plan.

export function element(tag, attributes, children) {
    var e = document.createElement(tag);
    Object.keys(attributes || {}).forEach(function (name) {
        if (name === 'text') e.textContent = attributes[name];
        else e.setAttribute(name, attributes[name]);
    });
    (children || []).forEach(function (c) { if (c) e.appendChild(c); });
    return e;
}

// Changes a property only when its value changes, so that an unchanged page costs nothing.
// A text is compared with the one set last: reading an element's text back costs more than setting it.
export function setIf(e, property, value) {
    if (property === 'textContent') {
        if (e.wvText === value) return;
        e.wvText = value;
        e.textContent = value;
    } else if (e[property] !== value) {
        e[property] = value;
    }
}

export function byId(id) { return document.getElementById(id); }

// Points a download link at the given bytes or text, letting go of what it pointed at before.
export function linkTo(link, content, type) {
    if (link.href.indexOf('blob:') === 0) URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([content], { type: type }));
}

// A file's name from a plan's name: no characters that are not allowed in file names somewhere.
export function fileName(name, ending) {
    return (String(name).replace(/[\\/:*?"<>|\u0000-\u001f]+/g, '_').slice(0, 60) || 'plan') + ending;
}

// Saves bytes as a file of the given name, as a download link followed would.
export function saveFile(name, blob) {
    var link = element('a', { download: name, href: URL.createObjectURL(blob), hidden: '' });
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
}
