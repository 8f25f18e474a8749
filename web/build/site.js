// Writes the site folder for a static host from the finished page: the page as index.html (with its manifest, icons
// and colours named in its head, and the policy also allowing them and the service worker from the site itself),
// the web app manifest, the icons drawn from icon.svg, the service worker that keeps all of it for use without a
// network, versioned by a hash of what it keeps, and _headers with the same policy for hosts that read one.
// node site.js werkverbund.html web-folder site-folder   (web-folder: where icon.svg is; sw.js stands beside this)
import fs from 'node:fs';
import path from 'node:path';
import crypto from 'node:crypto';
import { fileURLToPath } from 'node:url';
import { render } from './icons.js';
import { META } from './policy.js';

// The page's background, light and dark (style.css: --shade).
const LIGHT = '#f2f5f7', DARK = '#11151a';
const ICONS = [[192, false], [512, false], [192, true], [512, true]];
const iconName = (size, maskable) => `icon-${maskable ? 'maskable-' : ''}${size}.png`;

const manifest = {
    name: 'Werkverbund – Fabriken für einen selbstversorgenden Komplex',
    short_name: 'Werkverbund',
    description: 'Berechnet die Fabriken eines selbstversorgenden Komplexes',
    lang: 'de',
    dir: 'ltr',
    start_url: './',
    scope: './',
    display: 'standalone',
    theme_color: LIGHT,
    background_color: LIGHT,
    // the dark scheme's colours, for browsers that read them; the page's head names both for the others
    user_preferences: { color_scheme: { dark: { theme_color: DARK, background_color: DARK } } },
    icons: [{ src: 'icon.svg', sizes: 'any', type: 'image/svg+xml', purpose: 'any' }].concat(ICONS.map(([size, maskable]) => (
        { src: iconName(size, maskable), sizes: `${size}x${size}`, type: 'image/png', purpose: maskable ? 'maskable' : 'any' }))),
};

const HEAD = [
    '<link rel="manifest" href="manifest.webmanifest">',
    '<link rel="icon" href="icon.svg" type="image/svg+xml">',
    `<link rel="apple-touch-icon" href="${iconName(192, false)}">`,
    `<meta name="theme-color" content="${LIGHT}" media="(prefers-color-scheme: light)">`,
    `<meta name="theme-color" content="${DARK}" media="(prefers-color-scheme: dark)">`,
].join('\n');

function build(pageFile, source, folder) {
    const page = fs.readFileSync(pageFile, 'utf8');
    // the site's own files besides: the manifest, the icons, the worker, and what the worker fetches to keep (a
    // worker is held to the policy of the headers it comes with, the same on hosts that set them for every file)
    const policy = META.exec(page)[0].match(/content="([^"]*)"/)[1]
        + "; manifest-src 'self'; img-src 'self'; worker-src 'self'; connect-src 'self'";
    const files = {
        'index.html': page.replace(META, () => `<meta http-equiv="Content-Security-Policy" content="${policy}">\n${HEAD}`),
        'manifest.webmanifest': JSON.stringify(manifest, null, 1) + '\n',
        'icon.svg': fs.readFileSync(path.join(source, 'icon.svg')),
    };
    const svg = fs.readFileSync(path.join(source, 'icon.svg'), 'utf8');
    for (const [size, maskable] of ICONS) files[iconName(size, maskable)] = render(svg, size, maskable);

    // The worker keeps the folder's address (the page, as every host serves it) and the rest by name.
    const kept = Object.keys(files).sort();
    const version = crypto.createHash('sha256');
    for (const name of kept) version.update(name + '\0').update(files[name]);
    files['sw.js'] = fs.readFileSync(path.join(path.dirname(fileURLToPath(import.meta.url)), 'sw.js'), 'utf8')
        .replace("'%VERSION%'", () => `'${version.digest('hex').slice(0, 16)}'`)
        .replace("['%FILES%']", () => JSON.stringify(kept.map((name) => (name === 'index.html' ? './' : name))));
    files._headers = ['/*', `  Content-Security-Policy: ${policy}`, '  X-Content-Type-Options: nosniff',
        '/sw.js', '  Cache-Control: no-cache', ''].join('\n');

    fs.rmSync(folder, { recursive: true, force: true });
    fs.mkdirSync(folder, { recursive: true });
    for (const [name, content] of Object.entries(files)) fs.writeFileSync(path.join(folder, name), content);
}

try {
    build(...process.argv.slice(2));
} catch (e) {
    console.error(`site.js: ${e.message}`);
    process.exit(1);
}
