// The page in Chromium, over http and from disk: every file it offers must be the native programs'
// bytes for the same log, dxcc.txt and options, and it must request nothing but its own files.
// Run by scripts/web-test, which sets T2C_PAGE (the built page), T2C_NATIVE (the native build),
// T2C_PLAYWRIGHT (playwright-core's folder) and T2C_CHROMIUM (the browser).
import {test, describe, before, after} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {pathToFileURL} from 'node:url';

const {chromium} = createRequire(import.meta.url)(process.env.T2C_PLAYWRIGHT);
const PAGE = process.env.T2C_PAGE, NATIVE = process.env.T2C_NATIVE;
const SOURCE = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 't2c-web-'));
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css'};

// The logs: the sample, a copy whose callsign field the header narrows (fields elsewhere, exit 6),
// a file that is no log, and a dxcc.txt of the user's that knows USA.
const sample = path.join(work, 'sample.dbf');
fs.copyFileSync(path.join(SOURCE, 'examples/sample.dbf'), sample);
const moved = path.join(work, 'MOVED LOG.DBF');
const movedBytes = fs.readFileSync(sample);
movedBytes[240] = 12;
fs.writeFileSync(moved, movedBytes);
const broken = path.join(work, 'broken.dbf');
fs.writeFileSync(broken, 'no log');
const ownDxcc = path.join(work, 'own', 'dxcc.txt');
fs.mkdirSync(path.dirname(ownDxcc));
fs.writeFileSync(ownDxcc, fs.readFileSync(path.join(SOURCE, 'dxcc.txt'), 'latin1') + 'K\tUSA\n', 'latin1');

// What the native programs give in a folder of their own: the files the page offers, by name,
// the check's exit code and streams, and the ADIF writer's.
function native(log, {dxcc = path.join(SOURCE, 'dxcc.txt'), options = []} = {}) {
  const dir = fs.mkdtempSync(path.join(work, 'native-'));
  const name = path.basename(log), stem = name.replace(/\.[^.]*$/, '');
  fs.copyFileSync(log, path.join(dir, name));
  fs.copyFileSync(dxcc, path.join(dir, 'dxcc.txt'));
  const program = (folder, file, ...args) => spawnSync(path.join(NATIVE, folder, file), args, {cwd: dir, argv0: file});
  const check = program('check', 'tarnwick2corvane-check', name);
  const adif = program('adif', 'tarnwick2adif', ...options, name, stem + '.adi');
  program('app', 'tarnwick2corvane', name, stem + '.asc');
  const files = {[`${stem} - check.txt`]: check.stdout};
  for (const extension of ['.asc', '.adi']) {
    if (fs.existsSync(path.join(dir, stem + extension))) files[stem + extension] = fs.readFileSync(path.join(dir, stem + extension));
  }
  return {files, check, adif};
}

// The one byte range that may differ: the time the ADIF file was written.
const untimed = (bytes) => bytes.toString('latin1').replace(/<CREATED_TIMESTAMP:15>\d{8} \d{6}/, '<CREATED_TIMESTAMP:15>');

let browser, server, requested = [];
before(async () => {
  server = http.createServer((request, response) => {
    requested.push(request.url);
    const file = path.join(PAGE, request.url === '/' ? 'index.html' : path.normalize(request.url));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, {'content-type': TYPES[path.extname(file)] || 'application/octet-stream'});
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  browser = await chromium.launch({
    executablePath: process.env.T2C_CHROMIUM,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
});
after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(work, {recursive: true, force: true});
});

const PAGE_FILES = ['/', '/index.html', '/app.js', '/style.css', '/t2c.js'];

for (const where of ['http', 'file']) {
  describe(`the page over ${where}`, () => {
    const base = () => (where === 'http' ? `http://127.0.0.1:${server.address().port}/` : pathToFileURL(PAGE) + '/');

    // Opens the page, gives the options and the own dxcc.txt, chooses each log in turn and waits
    // for each run's end. Returns what the page shows and offers, after checking that every
    // request went to the page's own files.
    async function open() {
      const context = await browser.newContext();
      const page = await context.newPage();
      const urls = [];
      context.on('request', (request) => urls.push(request.url()));
      requested = [];
      await page.goto(base() + 'index.html');
      await page.waitForSelector('body[data-state=ready]');
      // Headless Chromium asks for no icon; other browsers ask for /favicon.ico unless the page names one.
      assert.equal(await page.getAttribute('link[rel=icon]', 'href'), 'data:,');
      const shown = async () => {
        const files = {};
        for (const link of await page.locator('#files a[download]').all()) {
          const [download] = await Promise.all([page.waitForEvent('download'), link.click()]);
          files[download.suggestedFilename()] = fs.readFileSync(await download.path());
        }
        return {
          state: await page.getAttribute('body', 'data-state'),
          code: await page.getAttribute('body', 'data-check-code'),
          status: await page.textContent('#status'),
          report: await page.isVisible('#report') ? await page.textContent('#report') : null,
          files,
        };
      };
      // The page sets data-state=working as the log is chosen, before this returns. A click to
      // choose empties the input, so that the same log chosen again is a change: so here too.
      const choose = async (log) => {
        await page.setInputFiles('#log', []);
        await page.setInputFiles('#log', log);
        await page.waitForSelector('body:is([data-state=done], [data-state=confirm], [data-state=failed])');
        return shown();
      };
      const close = async () => {
        for (const url of urls) {
          assert.ok(url.startsWith(base()) || url.startsWith('blob:') || url.startsWith('data:'), `requested ${url}`);
        }
        for (const url of requested) assert.ok(PAGE_FILES.includes(url), `served ${url}`);
        await context.close();
      };
      return {page, choose, shown, close};
    }

    function assertSameFiles(offered, expected) {
      assert.deepEqual(Object.keys(offered).sort(), Object.keys(expected).sort());
      for (const [name, bytes] of Object.entries(expected)) {
        assert.equal(untimed(offered[name]), untimed(bytes), `${name} differs from the native programs'`);
      }
    }

    test('the sample: checked, converted, the report offered beside both files', async () => {
      const {choose, close} = await open();
      const expected = native(sample);
      const shown = await choose(sample);
      assert.equal(shown.state, 'done');
      assert.equal(shown.code, '4');
      assert.equal(shown.report, expected.check.stdout.toString());
      assertSameFiles(shown.files, expected.files);
      assert.equal(shown.status, 'The files are ready: "sample.asc", 38 contacts, and "sample.adi", 38 contacts. ' +
        '1 record was rejected and 1 deleted record skipped: see "sample - check.txt".');
      await close();
    });

    test("the user's own dxcc.txt is the one the programs read", async () => {
      const {page, choose, close} = await open();
      await page.setInputFiles('#dxcc', ownDxcc);
      const shown = await choose(sample);
      assert.equal(shown.code, '4');
      assertSameFiles(shown.files, native(sample, {dxcc: ownDxcc}).files);
      await close();
    });

    test('fields elsewhere: only the report until "Convert anyway", then both files', async () => {
      const {page, choose, shown, close} = await open();
      const expected = native(moved);
      const stopped = await choose(moved);
      assert.equal(stopped.state, 'confirm');
      assert.equal(stopped.code, '6');
      assertSameFiles(stopped.files, {'MOVED LOG - check.txt': expected.check.stdout});
      await page.click('#anyway');
      await page.waitForSelector('body[data-state=done]');
      const converted = await shown();
      assertSameFiles(converted.files, expected.files);
      assert.match(converted.status, /^The files are ready: "MOVED LOG.asc", 38 contacts, .*: see "MOVED LOG - check.txt"\.$/);
      await close();
    });

    test('a broken log: the check\'s message and no file; another log then starts afresh', async () => {
      const {choose, close} = await open();
      const {check} = native(broken);
      const failed = await choose(broken);
      assert.equal(failed.state, 'failed');
      assert.equal(failed.code, String(check.status));
      assert.ok(failed.status.startsWith(check.stderr.toString()), failed.status);
      assert.deepEqual(failed.files, {});
      const again = await choose(sample);
      assert.equal(again.state, 'done');
      assert.equal(Object.keys(again.files).length, 3);
      await close();
    });

    // Opened from disk the programs run on the page itself, where a test can reach their device.
    test('a writer that fails after the check: its message, and no file of the run', {skip: where === 'http'}, async () => {
      const {page, choose, close} = await open();
      // A full disk for the ADIF file alone, played by the device that the page's outputs go to.
      await page.evaluate(() => {
        const fs = programs.FS, device = fs.devices[fs.makedev(64, 0)].stream_ops, write = device.write;
        device.write = (stream, ...rest) => {
          if (stream.node.name.endsWith('.adi')) throw new fs.ErrnoError(28);
          return write(stream, ...rest);
        };
      });
      const failed = await choose(sample);
      assert.equal(failed.state, 'failed');
      assert.equal(failed.code, '4');
      assert.match(failed.status, /^write\(\): output file: [^\n]+\nThe ADIF writer stopped with this message/);
      assert.deepEqual(failed.files, {});
      await close();
    });

    test('the ADIF options: taken as the ADIF writer takes them, refused with its words', async () => {
      const {page, choose, close} = await open();
      await page.fill('#utc-offset', '+1');
      await page.fill('#station-callsign', 'Q0XYZ');
      const taken = await choose(sample);
      assertSameFiles(taken.files, native(sample, {options: ['--utc-offset', '+1', '--station-callsign', 'Q0XYZ']}).files);
      await page.fill('#utc-offset', '25');
      const refused = await choose(sample);
      assert.equal(refused.state, 'failed');
      assert.equal(refused.code, null);
      assert.deepEqual(refused.files, {});
      const writer = native(sample, {options: ['--utc-offset', '25']}).adif;
      assert.equal(writer.status, 3);
      assert.ok(refused.status.includes(writer.stdout.toString().trim()), refused.status);
      await close();
    });
  });
}
