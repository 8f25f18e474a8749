// The page's second script: what only a tab, a button or an idle moment needs (the views drawn in their tabs, the
// pictures, the QR code). Bundled apart and run in steps of its own as the page starts (page/opening.js), so that
// neither script's compile is a long task on a slow phone; the small pure modules both use are in each.
import { views } from './views.js';
import { qrCode } from './qrcode.js';
import { startPictures } from './picture.js';

window.werkverbundLate = { views: views, qrCode: qrCode, startPictures: startPictures };
